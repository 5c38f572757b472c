#!/bin/sh
# Builds every fuzzer (fuzz/*_fuzz.cpp) with clang and runs each for the given seconds
# (default 20), seeded with the interoperability archives. Fails on the first crash.
set -eu

seconds=${1:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/fuzz"
seeds="$root/../shared/lzh-vectors/archives"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=$(cd "$root/fuzz" && ls *_fuzz.cpp | sed 's/\.cpp$//')
# shellcheck disable=SC2086
cmake --build "$build" -j2 --target $targets

for target in $targets; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    log="$build/$target.log"
    seed_dirs="$corpus"
    [ -d "$seeds" ] && seed_dirs="$corpus $seeds"
    echo "== $target: ${seconds}s (log: $log)"
    # libFuzzer reports every new input; keep that in the log and show only the outcome.
    # shellcheck disable=SC2086
    if ! "$build/fuzz/$target" -max_total_time="$seconds" -max_len=131072 -timeout=10 -rss_limit_mb=2048 \
            -artifact_prefix="$build/$target-" $seed_dirs > "$log" 2>&1; then
        tail -n 60 "$log"
        echo "$target FAILED: see $log and the artifact $build/$target-*"
        exit 1
    fi
    tail -n 1 "$log"
done
echo "all fuzzers ran without a crash"
