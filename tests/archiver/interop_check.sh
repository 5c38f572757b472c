#!/usr/bin/env bash
# Archives made by UNLHA32.DLL under Wine, tested and extracted by lhasa and 7zz on the Linux
# side. Both split names at every 0x5C byte, so files are compared by content, not by name.
# interop_check.sh MAKER.EXE
set -euo pipefail
maker=$1
work=$(mktemp -d /tmp/zavo-interop-XXXXXX)
trap 'rm -rf "$work"' EXIT
wine "$maker" "Z:${work//\//\\}\\" >"$work/maker.log" 2>&1 || { cat "$work/maker.log"; exit 1; }
sums() { (cd "$1" && find . -type f -size +0 -exec md5sum {} + | sed 's/^\\//' | cut -d' ' -f1 | sort); }
expected=$(sums "$work/src")
failed=0
for archive in "$work"/made*.lzh; do
  for tool in lhasa 7zz; do
    command -v $tool >/dev/null || { echo "$tool is not installed"; exit 1; }
    out="$work/out-$tool-$(basename "$archive")"
    mkdir -p "$out"
    if [ $tool = lhasa ]; then
      (cd "$out" && lhasa t "$archive" >/dev/null && lhasa xq "$archive") || { echo "lhasa failed on $archive"; failed=1; continue; }
    else
      (7zz t "$archive" >/dev/null && 7zz x -y -o"$out" "$archive" >/dev/null) || { echo "7zz failed on $archive"; failed=1; continue; }
    fi
    if [ "$(sums "$out")" != "$expected" ]; then
      echo "$tool: contents of $archive differ"; failed=1
    fi
    # The empty file comes back too.
    [ -n "$(find "$out" -name empty.dat -size 0)" ] || { echo "$tool: empty.dat missing from $archive"; failed=1; }
    # So do the empty folders, from their folder entries.
    for folder in emptydir sub/deep/void; do
      [ -d "$out/$folder" ] || { echo "$tool: empty folder $folder missing from $archive"; failed=1; }
    done
  done
done
# Archives with exact names beyond code page 932: read under their fallback names.
uexpected=$(sums "$work/usrc")
for archive in "$work"/unicode*.lzh; do
  for tool in lhasa 7zz; do
    out="$work/out-$tool-$(basename "$archive")"
    mkdir -p "$out"
    if [ $tool = lhasa ]; then
      (cd "$out" && lhasa t "$archive" >/dev/null && lhasa xq "$archive") || { echo "lhasa failed on $archive"; failed=1; continue; }
    else
      (7zz t "$archive" >/dev/null && 7zz x -y -o"$out" "$archive" >/dev/null) || { echo "7zz failed on $archive"; failed=1; continue; }
    fi
    [ "$(sums "$out")" = "$uexpected" ] || { echo "$tool: contents of $archive differ"; failed=1; }
    for name in caf_.txt caf_~2.txt _.txt ___/___.txt; do
      [ -f "$out/$name" ] || { echo "$tool: fallback name $name missing from $archive"; failed=1; }
    done
  done
done
[ $failed = 0 ] && echo "lhasa and 7zz read all $(ls "$work"/made*.lzh "$work"/unicode*.lzh | wc -l) archives"
exit $failed
