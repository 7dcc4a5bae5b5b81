#!/usr/bin/env bash
# Everything, from a bare Debian 12 machine: dependencies, the three build
# trees (made when missing, rebuilt incrementally otherwise), and all tests.
#   build/host   native, the unit and scenario tests       (label host)
#   build/asan   native with ASan and UBSan, same tests     (label host)
#   build/win32  mingw-w64 i686, tests run under Wine       (labels wine, e2e)
# The last line is "N passed, N failed" over all tiers; the exit code is
# non-zero when anything failed. A tier that does not configure or build
# counts as one failure.
set -uo pipefail
cd "$(dirname "$0")" || exit 1

jobs=${ZARVEL_JOBS:-2}
started=$(date +%s)
total_passed=0
total_failed=0
summary=()

note() { printf '\n=== %s\n' "$*"; }

record() {  # record TIER PASSED FAILED SECONDS TEXT
  total_passed=$((total_passed + $2))
  total_failed=$((total_failed + $3))
  summary+=("$(printf '%-6s %4d passed %4d failed %5ds  %s' "$1" "$2" "$3" "$4" "$5")")
}

# tier NAME DIR LABELS CTEST_EXTRA -- CMAKE_ARGS...
tier() {
  local name=$1 dir=$2 labels=$3 extra=$4
  shift 5
  local t0 log rc line total failed
  t0=$(date +%s)
  log=$dir/ctest.log
  if [ ! -f "$dir/build.ninja" ]; then
    note "$name: configure $dir"
    if ! cmake -S . -B "$dir" -G Ninja "$@"; then
      record "$name" 0 1 $(($(date +%s) - t0)) "configure failed"
      return
    fi
  fi
  note "$name: build $dir"
  if ! cmake --build "$dir" -j "$jobs"; then
    record "$name" 0 1 $(($(date +%s) - t0)) "build failed"
    return
  fi
  local built=$(($(date +%s) - t0))
  note "$name: ctest -L '$labels'"
  # shellcheck disable=SC2086
  ctest --test-dir "$dir" -L "$labels" --output-on-failure --timeout 600 \
    --no-tests=ignore $extra 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n1)
  if [ -n "$line" ]; then
    failed=$(sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/' <<<"$line")
    total=$(sed -E 's/.*failed out of ([0-9]+).*/\1/' <<<"$line")
  elif grep -q 'No tests were found' "$log"; then
    failed=0 total=0
  else
    failed=1 total=1
  fi
  if [ "$rc" -ne 0 ] && [ "$failed" -eq 0 ]; then failed=1 total=$((total + 1)); fi
  record "$name" $((total - failed)) "$failed" $(($(date +%s) - t0)) \
    "build ${built}s, $total tests"
}

note "dependencies"
if ! tools/install_deps.sh; then
  echo "test.sh: installing the dependencies failed"
  echo "0 passed, 1 failed"
  exit 1
fi

tier host build/host host "-j $jobs" -- \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0} \
UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
tier asan build/asan host "-j $jobs" -- \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARVEL_SANITIZE=ON -DZARVEL_BENCHMARKS=OFF
# Wine runs one at a time per prefix; -V shows every test case by name.
tier win32 build/win32 'wine|e2e' "-V" -- \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake

note "summary ($(($(date +%s) - started))s)"
printf '%s\n' "${summary[@]}"
echo "$total_passed passed, $total_failed failed"
[ "$total_failed" -eq 0 ]
