#!/usr/bin/env bash
# Runs every test: the pure files natively under the sanitizers, then the Windows tests under Wine.
set -uo pipefail
native=$1 win=$2
here=$(dirname "$0")
trap '"$here/wine-env.sh" stop "$win"' EXIT
"$here/wine-env.sh" start "$win" || exit 1

status=0
echo "== native tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
ctest --test-dir "$native" --output-on-failure -j "$(nproc)" || status=1
echo "== Windows tests under Wine"
ctest --test-dir "$win" --output-on-failure || status=1
exit $status
