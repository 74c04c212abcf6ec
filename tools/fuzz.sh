#!/usr/bin/env bash
# Coverage-guided fuzzing: builds every tests/fuzz/*_fuzz.cpp with clang's libFuzzer in FUZZ_BUILD and runs
# each in turn, single process, for SECONDS on a copy of its seeds. New inputs stay in FUZZ_BUILD/corpus/,
# never in the tree; a crash, leak or timeout goes to FUZZ_BUILD/findings/<target>/. Prints per target the
# executions, executions per second, edges covered (cov) and features (ft), and the findings; exits 1 on any.
#   fuzz.sh FUZZ_BUILD [SECONDS] [TARGET...]   (60 seconds a target unless told; all targets unless named)
set -uo pipefail
build=${1:?build folder}
seconds=${2:-60}
shift $(($# < 2 ? $# : 2))
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)

[ -f "$build/CMakeCache.txt" ] ||
  cmake -S "$root" -B "$build" -DLIBFUZZER=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null ||
  exit 1
cmake --build "$build" -j "$(nproc)" -- --no-print-directory >/dev/null || exit 1
build=$(cd "$build" && pwd)

targets=("$@")
[ ${#targets[@]} -gt 0 ] ||
  mapfile -t targets < <(cd "$root/tests/fuzz" && ls *_fuzz.cpp | sed 's/_fuzz\.cpp$//')

printf '%-16s %12s %10s %8s %8s %9s\n' target executions "exec/s" cov ft findings
total_runs=0 total_findings=0
for t in "${targets[@]}"; do
  [ -x "$build/${t}_fuzz" ] || { echo "fuzz: no target '$t'" >&2; exit 2; }
  corpus=$build/corpus/$t findings=$build/findings/$t log=$build/$t.log
  rm -rf "$corpus" "$findings"
  mkdir -p "$corpus" "$findings"
  cp "$root/tests/fuzz/corpus/$t"/* "$corpus/" 2>/dev/null
  # New inputs go to the first folder, the scratch copy; -timeout makes a hang a finding.
  "$build/${t}_fuzz" "$corpus" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$findings/" >"$log" 2>&1
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  found=$(find "$findings" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
  printf '%-16s %12s %10s %8s %8s %9s\n' "$t" "${runs:-?}" "${speed:-?}" "${cov:-?}" "${ft:-?}" "$found"
  total_runs=$((total_runs + ${runs:-0}))
  total_findings=$((total_findings + found))
  if [ "$found" -gt 0 ]; then
    grep -m1 -E 'ERROR: |broken: ' "$log" | sed 's/^/    /'
    ls "$findings"/* | sed 's/^/    /'
  fi
done
echo "fuzz: ${#targets[@]} targets, $seconds s each, $total_runs executions, $total_findings findings (logs in $build)"
[ "$total_findings" -eq 0 ]
