#!/usr/bin/env bash
# Builds ZAVO and starts it under Wine. Arguments go to zavo.exe as its command line (an archive
# path or a script). Without a display it runs under Xvfb, writes a screenshot of the window to
# build/screenshot.png, prints that path and closes the program again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
# Only the program and its library: starting needs no test program.
cmake -S "$root" -B "$root/build/win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$root/build/win" -j "${ZAVO_JOBS:-$(nproc)}" --target zavo unlha32
source "$root/scripts/wine-env.sh"
zavo_wine_prefix
exe="$root/build/win/bin/zavo.exe"

if [ -n "${DISPLAY:-}" ]; then
  exec wine "$exe" "$@"
fi

shot=$root/build/screenshot.png
# The first display number that no other X server holds.
display=77
while [ -e /tmp/.X$display-lock ] || [ -e /tmp/.X11-unix/X$display ]; do display=$((display + 1)); done
Xvfb :$display -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=:$display
sleep 1
wine "$exe" "$@" &
app=$!
for _ in $(seq 1 60); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"ZAVO v.1.9"'; then break; fi
  sleep 0.5
done
sleep 2
import -window root -crop 1024x768+0+0 "$shot"
echo "No display: ZAVO ran under Xvfb; screenshot written to $shot"
if [ -z "${ZAVO_KEEP_RUNNING:-}" ]; then
  wineserver -k 2>/dev/null || true
fi
wait $app 2>/dev/null || true
