#!/usr/bin/env bash
# Builds everything and runs every test: the native tests, a short fuzz run, and the Wine tests
# under a virtual display. Exits non-zero on any failure. This is what CI runs.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" || exit 1
"$root/scripts/build.sh" all || exit 1

status=0
summary=()
run_ctest() {  # run_ctest LABEL BUILD-DIR
  local log; log=$(mktemp)
  ctest --test-dir "$2" --output-on-failure -j "${ZAVO_TEST_JOBS:-2}" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  summary+=("$1: $(grep -E 'tests passed' "$log" | tail -1)")
  rm -f "$log"
  [ "$rc" -eq 0 ] || status=1
}

echo "== Native tests"
run_ctest native "$root/build/native"

if [ -x "$root/scripts/fuzz.sh" ]; then
  echo "== Short fuzz run"
  if "$root/scripts/fuzz.sh" "${ZAVO_FUZZ_SECONDS:-10}"; then summary+=("fuzz: no crash"); else summary+=("fuzz: FAILED"); status=1; fi
fi

echo "== Wine tests"
# No retries: a test that fails once is a fault, in the test or in the product.
"$root/scripts/wine-ctest.sh" "$root/build/win" -j "${ZAVO_TEST_JOBS:-2}" 2>&1 \
  | tee "$root/build/wine-tests.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
summary+=("wine: $(grep -E 'tests passed' "$root/build/wine-tests.log" | tail -1)")

echo "== Summary"
printf '%s\n' "${summary[@]}"
if [ "$status" -eq 0 ]; then echo "All test suites passed."; else echo "Some tests FAILED."; fi
exit $status
