#!/usr/bin/env bash
# Makes the release folder dist/ for Windows users: zavo.exe and UNLHA32.DLL from the cross
# build (stripped), the sample scripts, the read-me and the manuals as plain text. Only what ships:
# the samples as the repository holds them, never what running them left behind (tour-out\).
# Usage: scripts/dist.sh
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
# The samples' own files; README.md is written for the repository (the read-me covers the tour).
sample_files() {
  if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$root" ls-files samples
  else   # an unpacked source tree: everything but the tour's output
    (cd "$root" && find samples -type f -not -path 'samples/tour-out/*')
  fi
}
sample_files | grep -v -e '^samples/README.md$' -e '/\.gitattributes$' | while IFS= read -r file; do
  mkdir -p "$dist/$(dirname "$file")"
  cp "$root/$file" "$dist/$file"
done

windows_text() {  # windows_text SOURCE TARGET: UTF-8 with a byte-order mark and CR LF
  { printf '\xEF\xBB\xBF'; sed 's/\r$//; s/$/\r/' "$1"; } > "$2"
}
windows_text "$root/docs/dist-readme.txt" "$dist/README.txt"
# The manuals as plain text, cross-references by the names the files have here.
manual() {  # manual SOURCE.md TARGET.txt
  local plain; plain=$(mktemp)
  python3 "$root/scripts/manual-text.py" "$1" > "$plain"
  windows_text "$plain" "$2"
  rm -f "$plain"
}
manual "$root/docs/archiver.md" "$dist/UNLHA32-manual.txt"
manual "$root/docs/sfx.md" "$dist/ZAVOSFX-manual.txt"
manual "$root/docs/lzh-quirks.md" "$dist/LZH-quirks.txt"

echo "dist: $dist"
(cd "$dist" && find . -type f | sort | sed 's|^\./|  |')
