#!/usr/bin/env bash
# Many small files under Wine (after scripts/build.sh win): extraction of 2,000 and 20,000 files
# of 200 bytes against a plain program making the same files, and `a`, `u`, `f` and `l` of both. Figures only.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEPREFIX=$repo/build/win/wineprefix
source "$repo/scripts/wine-env.sh"
zavo_wine_prefix >/dev/null
echo "many small files under Wine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
wine "$repo/build/win/bin/many_files_bench.exe" "Z:${work//\//\\}\\" 2>&1 | tr -d '\r'
wineserver -k >/dev/null 2>&1 || true
