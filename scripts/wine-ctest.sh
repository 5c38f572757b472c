#!/usr/bin/env bash
# Runs the Wine tests of one cross build tree under a virtual display, with that tree's own Wine
# prefix: scripts/wine-ctest.sh BUILD-DIR [ctest arguments...]. Exits with ctest's status.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd); shift
export ZAVO_ROOT=$root WINEPREFIX=$build/wineprefix ZAVO_BUILD_DIR=$build
source "$root/scripts/wine-env.sh"
zavo_wine_prefix
export ZAVO_CTEST_ARGS="$*"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  source "$ZAVO_ROOT/scripts/wine-env.sh"
  zavo_wine_boot
  ctest --test-dir "$ZAVO_BUILD_DIR" --output-on-failure $ZAVO_CTEST_ARGS
  rc=$?
  wineserver -k >/dev/null 2>&1
  exit $rc'
