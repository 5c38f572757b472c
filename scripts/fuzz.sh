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
    echo "== $target: ${seconds}s"
    if [ -d "$seeds" ]; then
        "$build/fuzz/$target" -max_total_time="$seconds" -max_len=131072 -timeout=10 -rss_limit_mb=2048 \
            -artifact_prefix="$build/$target-" "$corpus" "$seeds"
    else
        "$build/fuzz/$target" -max_total_time="$seconds" -max_len=131072 -timeout=10 -rss_limit_mb=2048 \
            -artifact_prefix="$build/$target-" "$corpus"
    fi
done
echo "all fuzzers ran without a crash"
