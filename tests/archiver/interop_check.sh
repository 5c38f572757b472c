#!/usr/bin/env bash
# Archives made by UNLHA32.DLL under Wine, tested and extracted by lhasa and 7zz on the Linux
# side. Both split names at every 0x5C byte, so files are compared by content, not by name.
# interop_check.sh MAKER.EXE
set -euo pipefail
maker=$1
work=$(mktemp -d /tmp/zavo-interop-XXXXXX)
trap 'rm -rf "$work"' EXIT
for tool in lhasa 7zz; do command -v $tool >/dev/null || { echo "$tool is not installed"; exit 1; }; done
wine "$maker" "Z:${work//\//\\}\\" >"$work/maker.log" 2>&1 || { cat "$work/maker.log"; exit 1; }
sums() { (cd "$1" && find . -type f -size +0 -exec md5sum {} + | sed 's/^\\//' | cut -d' ' -f1 | sort); }
failed=0

# check SOURCE PATTERN PATH...: both tools test and extract every archive matching PATTERN; what
# they extract has the contents of SOURCE, and each PATH (a folder when it ends in /) is there.
check() {
  local source=$1 pattern=$2 expected archive tool out path
  shift 2
  expected=$(sums "$work/$source")
  for archive in "$work"/$pattern; do
    for tool in lhasa 7zz; do
      out="$work/out-$tool-$(basename "$archive")"
      mkdir -p "$out"
      if [ $tool = lhasa ]; then
        (cd "$out" && lhasa t "$archive" >/dev/null && lhasa xq "$archive")
      else
        7zz t "$archive" >/dev/null && 7zz x -y -o"$out" "$archive" >/dev/null
      fi || { echo "$tool failed on $archive"; failed=1; continue; }
      [ "$(sums "$out")" = "$expected" ] || { echo "$tool: contents of $archive differ"; failed=1; }
      for path in "$@"; do
        if [[ $path == */ ]]; then [ -d "$out/$path" ]; else [ -f "$out/$path" ]; fi ||
          { echo "$tool: $path missing from $archive"; failed=1; }
      done
    done
  done
}

# The empty file and, from their folder entries, the empty folders come back too.
check src 'made*.lzh' empty.dat emptydir/ sub/deep/void/
# Exact names beyond code page 932: read under their fallback names.
check usrc 'unicode*.lzh' caf_.txt caf_~2.txt _.txt ___/___.txt
[ $failed = 0 ] && echo "lhasa and 7zz read all $(ls "$work"/made*.lzh "$work"/unicode*.lzh | wc -l) archives"
exit $failed
