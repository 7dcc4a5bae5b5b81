#!/usr/bin/env bash
# soak_tests.sh [RUNS]: the win64 tier's Wine and end-to-end tests RUNS times
# in a row (default 5), as ./test.sh runs them - ZARVEL_E2E_JOBS at a time
# (default 4), the tests labelled timing afterwards, alone - with a busy
# process beside them that keeps one core working (a shell loop at the
# normal priority, nice 0). Prints each run's result and time, then the
# slowest tests over all runs with their timeouts. Ends non-zero when any
# run had a failure.
#
# Needs a built build/win64 (./test.sh, or cmake --build build/win64).
# Each run's output is kept in build/win64/soak-N.log.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
runs=${1:-5}
jobs=${ZARVEL_E2E_JOBS:-4}
dir=build/win64
if [ ! -f "$dir/CTestTestfile.cmake" ]; then
  echo "soak_tests: no $dir: build it first (./test.sh or cmake --build $dir)" >&2
  exit 2
fi

nice -n 0 sh -c 'while :; do :; done' &
busy=$!
trap 'kill "$busy" 2>/dev/null' EXIT

# The "N/M Test #K: NAME ... Passed|Failed T sec" lines of a log, as
# "T NAME RESULT", and each test's timeout from ctest's -V lines.
times() { sed -nE 's/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: ([^ ]+) .*(Passed|Failed|Timeout|Not Run)[^0-9]*([0-9.]+) sec$/\3 \1 \2/p' "$@"; }
timeouts() { sed -nE 's/^([0-9]+): Test timeout computed to be: ([0-9]+)$/\1 \2/p' "$1"; }
names() { sed -nE 's/^ *[0-9]+\/[0-9]+ Test +#([0-9]+): ([^ ]+) .*/\1 \2/p' "$1"; }

failed_runs=0
printf '%-4s %7s %7s %8s  %s\n' run passed failed seconds "failed tests"
for run in $(seq 1 "$runs"); do
  log=$dir/soak-$run.log
  t0=$(date +%s)
  ctest --test-dir "$dir" -L 'wine|e2e' -LE timing -V -j "$jobs" --timeout 600 >"$log" 2>&1
  ctest --test-dir "$dir" -L 'wine|e2e' -L timing -FS . -V --timeout 600 >>"$log" 2>&1
  seconds=$(($(date +%s) - t0))
  passed=$(times "$log" | awk '$3 == "Passed"' | wc -l)
  failed=$(times "$log" | awk '$3 != "Passed"' | wc -l)
  [ "$failed" -eq 0 ] || failed_runs=$((failed_runs + 1))
  printf '%-4s %7d %7d %8d  %s\n' "$run" "$passed" "$failed" "$seconds" \
    "$(times "$log" | awk '$3 != "Passed" { printf "%s ", $2 }')"
done

# Timeouts by test name, from every run's log.
declare -A limit
for run in $(seq 1 "$runs"); do
  log=$dir/soak-$run.log
  while read -r num name; do
    t=$(timeouts "$log" | awk -v n="$num" '$1 == n { print $2; exit }')
    [ -n "$t" ] && limit[$name]=$t
  done < <(names "$log")
done
echo
echo "slowest tests (longest of $runs runs, median, timeout):"
for run in $(seq 1 "$runs"); do times "$dir/soak-$run.log"; done |
  awk '{ t[$2] = t[$2] " " $1 } END { for (n in t) print n, t[n] }' |
  while read -r name values; do
    sorted=$(tr ' ' '\n' <<<"$values" | sort -n)
    printf '%s %s %s %s\n' "$(tail -n1 <<<"$sorted")" \
      "$(sed -n "$(( ($(wc -l <<<"$sorted") + 1) / 2 ))p" <<<"$sorted")" "$name" "${limit[$name]:-?}"
  done | sort -rn | head -n 12 |
  awk '{ printf "  %-45s %6.1f s  %6.1f s  %4s s\n", $3, $1, $2, $4 }'
echo
echo "$((runs - failed_runs)) of $runs runs green"
[ "$failed_runs" -eq 0 ]
