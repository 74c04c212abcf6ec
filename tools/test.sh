#!/usr/bin/env bash
# Runs every test: the pure files natively under the sanitizers (with the check of both executables as
# data), then the Windows tests under Wine for each build folder given, each in its own prefix.
#   test.sh NATIVE WIN...
set -uo pipefail
native=$1
shift
here=$(dirname "$0")
trap 'for w in "$@"; do "$here/wine-env.sh" stop "$w"; done' EXIT

status=0
log=$(mktemp)
echo "== native tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
ctest --test-dir "$native" --output-on-failure -j "$(nproc)" | tee "$log" || status=1
for win in "$@"; do
  arch=$(sed -n 's/^TINTLET_ARCH=//p' "$win/wine-run")
  echo "== Windows tests under Wine: the $arch build in $win"
  if ! "$here/wine-env.sh" start "$win"; then
    echo "the Wine world of $win did not start: its tests did not run" >&2
    status=1
    continue
  fi
  ctest --test-dir "$win" --output-on-failure | tee -a "$log" || status=1
  "$here/wine-env.sh" stop "$win"
done

# One closing line for all runs: "N tests failed out of M" from each ctest summary.
read -r failed total < <(sed -n 's/.* \([0-9]*\) tests failed out of \([0-9]*\)$/\1 \2/p' "$log" |
  awk '{f += $1; t += $2} END {print f + 0, t + 0}')
rm -f "$log"
[ "$total" -gt 0 ] || status=1
[ "$failed" -eq 0 ] || status=1
echo
echo "tests: $((total - failed)) passed, $failed failed"
exit $status
