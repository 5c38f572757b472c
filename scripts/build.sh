#!/usr/bin/env bash
# Builds everything: the native tree (portable core, native tests, fuzz-free) and the MinGW-w64
# cross tree (zavo.exe, UNLHA32.DLL, the Wine tests). Usage: scripts/build.sh [native|win|all]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
what=${1:-all}
jobs=${ZAVO_JOBS:-$(nproc)}
if [ "$what" = all ] || [ "$what" = native ]; then
  cmake -S "$root" -B "$root/build/native" -G Ninja >/dev/null
  cmake --build "$root/build/native" -j "$jobs"
fi
if [ "$what" = all ] || [ "$what" = win ]; then
  cmake -S "$root" -B "$root/build/win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
  cmake --build "$root/build/win" -j "$jobs"
fi
