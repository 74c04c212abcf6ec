#!/usr/bin/env bash
# Runs every test: the pure files natively under the sanitizers, then the Windows tests under Wine.
set -uo pipefail
native=$1 win=$2
here=$(dirname "$0")
trap '"$here/wine-env.sh" stop "$win"' EXIT
"$here/wine-env.sh" start "$win" || exit 1

status=0
log=$(mktemp)
echo "== native tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
ctest --test-dir "$native" --output-on-failure -j "$(nproc)" | tee "$log" || status=1
echo "== Windows tests under Wine"
ctest --test-dir "$win" --output-on-failure | tee -a "$log" || status=1

# One closing line for both runs: "N tests failed out of M" from each ctest summary.
read -r failed total < <(sed -n 's/.* \([0-9]*\) tests failed out of \([0-9]*\)$/\1 \2/p' "$log" |
  awk '{f += $1; t += $2} END {print f + 0, t + 0}')
rm -f "$log"
[ "$total" -gt 0 ] || status=1
echo
echo "tests: $((total - failed)) passed, $failed failed"
exit $status
