#!/usr/bin/env bash
# Makes the release folder dist/ for Windows users: zavo.exe and UNLHA32.DLL from the cross
# build (stripped), the sample scripts, the read-me and the two manuals. Usage: scripts/dist.sh
# The text files get CR LF line ends and a UTF-8 byte-order mark: every Notepad opens them
# correctly whatever the system's code page, and the Japanese and the English stay readable
# side by side on a Western Windows, which code page 932 would garble.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZAVO_BUILD_DIR:-$root/build/win}   # the cross build tree; another may be named
dist=$root/dist
"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$build" -j "${ZAVO_JOBS:-$(nproc)}" --target zavo unlha32

rm -rf "$dist"
mkdir -p "$dist"
for program in zavo.exe UNLHA32.DLL; do
  x86_64-w64-mingw32-strip -o "$dist/$program" "$build/bin/$program"
done
cp -r "$root/samples" "$dist/samples"
# Written for the repository; the read-me covers the tour.
rm -f "$dist/samples/README.md" "$dist/samples/.gitattributes"

windows_text() {  # windows_text SOURCE TARGET: UTF-8 with a byte-order mark and CR LF
  { printf '\xEF\xBB\xBF'; sed 's/\r$//; s/$/\r/' "$1"; } > "$2"
}
windows_text "$root/docs/dist-readme.txt" "$dist/README.txt"
windows_text "$root/docs/archiver.md" "$dist/UNLHA32-manual.txt"
windows_text "$root/docs/sfx.md" "$dist/ZAVOSFX-manual.txt"

echo "dist: $dist"
(cd "$dist" && find . -type f | sort | sed 's|^\./|  |')
