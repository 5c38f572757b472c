#!/usr/bin/env bash
# Runs the path list benchmark of a cross build tree under Wine on a virtual display and prints
# its figures: scripts/bench-path-list.sh BUILD-DIR. Build the target path_list_bench first.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
export ZAVO_ROOT=$root WINEPREFIX=$build/wineprefix ZAVO_BUILD_DIR=$build
source "$root/scripts/wine-env.sh"
zavo_wine_prefix
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  source "$ZAVO_ROOT/scripts/wine-env.sh"
  wine "$ZAVO_BUILD_DIR/bin/path_list_bench.exe"
  rc=$?
  wineserver -w
  exit $rc'
