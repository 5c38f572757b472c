#!/usr/bin/env bash
# Builds the codec benchmark natively and runs it on the benchmark corpus (built once and cached in
# build/corpus), printing our ratio and speeds against gzip -6, bsdtar and lhasa from the same run.
# Usage: scripts/bench-codec.sh [corpus-dir] [file...]   (BENCH_RUNS=n to change the median of 3)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD_DIR:-$repo/build/bench}
corpus=${1:-$repo/build/corpus}
shift || true

if [ ! -f "$corpus/SHA256SUMS" ]; then
  bash "$repo/../shared/bench/make-corpus.sh" "$corpus" >/dev/null
fi
for tool in gzip bsdtar lhasa; do
  command -v "$tool" >/dev/null || { echo "missing $tool: the baselines need it" >&2; exit 1; }
done

cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target codec_bench -j2 >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "corpus: $corpus ($(du -cb "$corpus"/*.txt "$corpus"/*.tar "$corpus"/*.elf "$corpus"/*.csv "$corpus"/*.bin | tail -1 | cut -f1) bytes); $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/codec_bench" "$corpus" "$work" "$@"

# Through the library under Wine (when the cross build has been made): one `a` and one `t` over
# the whole corpus, timed inside the process, against gzip -6 over the same files in this run.
if [ -x "$repo/build/win/bin/library_bench.exe" ] || [ -f "$repo/build/win/bin/library_bench.exe" ]; then
  files=("$corpus"/*.txt "$corpus"/*.tar "$corpus"/*.elf "$corpus"/*.csv "$corpus"/*.bin)
  gzip_times=()
  for i in 1 2 3; do
    start=$(date +%s.%N); gzip -6 -c "${files[@]}" >/dev/null; end=$(date +%s.%N)
    gzip_times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')")
  done
  gzip_s=$(printf '%s\n' "${gzip_times[@]}" | sort -g | sed -n 2p)
  wine_work=$(mktemp -d); cp "${files[@]}" "$wine_work/"; mkdir "$wine_work/out"
  export WINEPREFIX=$repo/build/win/wineprefix
  source "$repo/scripts/wine-env.sh"
  zavo_wine_prefix >/dev/null
  wine "$repo/build/win/bin/library_bench.exe" "Z:${wine_work//\//\\}\\" "Z:${wine_work//\//\\}\\out\\" 2>/dev/null | tr -d '\r' |
    awk -v gz="$gzip_s" '
      /^library/ { print "\n" $0 "; gzip -6 over the same files: " gz " s"; bytes = $4 }
      /^run/ { one = ($3 == "-t1") ? $5 : one; lh = ($2 == "-o5") ? "-lh5-" : "-lh7-"; t = ($3 == "-t0") ? "all" : substr($3, 3)
               goal = ($3 == "-t2") ? ((lh == "-lh5-") ? 3.4 : 1.9) : 0
               verdict = goal ? sprintf("  (goal >= %.1fx gzip-6 on 2 threads: %s)", goal, (gz / $5 >= goal) ? "met" : "NOT met") : ""
               printf "  %s %3s thread(s): ratio %s  add %.1f MB/s = %.2fx gzip-6 (%.2fx one thread)  test %.1f MB/s%s\n",
                      lh, t, $4, bytes / $5 / 1e6, gz / $5, one / $5, bytes / $6 / 1e6, verdict }
      /^peak/ { print "  " $0 " (bound 200 MB)" }'
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$wine_work"
fi
