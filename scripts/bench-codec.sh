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
