#!/usr/bin/env bash
# Everything, from a bare Debian 12 machine: dependencies, the build trees
# (made when missing, rebuilt incrementally otherwise), and all tests.
#   build/host   native, the unit and scenario tests        (label host)
#   build/asan   native with ASan and UBSan, same tests      (label host)
#   build/win64  mingw-w64 x86_64, run under the 64-bit Wine (labels wine, e2e)
#   build/win32  mingw-w64 i686, the release: always built; where this
#                machine runs 32-bit programs, the tests its width can
#                change (labels wine, width): the unit tests under Wine,
#                the journey, the installer's copy and uninstall on real
#                files; the other end-to-end tests of the same source run
#                in win64 only
#   build/tsan   native with ThreadSanitizer: the tests that run threads
#   build/fuzz   clang: every libFuzzer target, a few seconds each
# The last line is "N passed, N failed" over all tiers; the exit code is
# non-zero when anything failed. A tier that does not configure or build
# counts as one failure; a tier that did not run counts as nothing.
set -uo pipefail
cd "$(dirname "$0")" || exit 1

jobs=${ZARVEL_JOBS:-2}
# Wine tests side by side: they mostly wait for windows and timers (a
# sixth of two cores at two at a time), so twice as many as there are build
# jobs (ZARVEL_E2E_JOBS=1: one by one).
e2e_jobs=${ZARVEL_E2E_JOBS:-$((jobs * 2))}
started=$(date +%s)
total_passed=0
total_failed=0
summary=()

# The trees that check rather than ship (sanitizers, the 32-bit host
# tests) build at -O1 with line tables only: their reports still name file
# and line, and they build in half the time.
checked=(-DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG"
         "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG")
# The trees after the host tree draw the game's data with its asset tool
# rather than building one of their own (the asan tree still builds its
# own, to check it).
host_tools=-DZARVEL_HOST_TOOLS_DIR=$PWD/build/host/bin

note() { printf '\n=== %s\n' "$*"; }

record() {  # record TIER PASSED FAILED SECONDS TEXT
  total_passed=$((total_passed + $2))
  total_failed=$((total_failed + $3))
  summary+=("$(printf '%-6s %4d passed %4d failed %5ds  %s' "$1" "$2" "$3" "$4" "$5")")
}

# build NAME DIR CMAKE_ARGS...: configures when needed and builds; says
# how long it took in $built, and records a failure itself.
build() {
  local name=$1 dir=$2
  shift 2
  t0=$(date +%s)
  if [ ! -f "$dir/build.ninja" ]; then
    note "$name: configure $dir"
    if ! cmake -S . -B "$dir" -G Ninja "$@"; then
      record "$name" 0 1 $(($(date +%s) - t0)) "configure failed"
      return 1
    fi
  fi
  note "$name: build $dir"
  if ! cmake --build "$dir" -j "$jobs" ${build_target:+--target $build_target}; then
    record "$name" 0 1 $(($(date +%s) - t0)) "build failed"
    return 1
  fi
  built=$(($(date +%s) - t0))
}

# run_ctest NAME DIR LABELS CTEST_EXTRA: runs the tests and records them.
run_ctest() {
  local name=$1 dir=$2 labels=$3 extra=$4
  local log=$dir/ctest.log rc line total failed
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

# tier NAME DIR LABELS CTEST_EXTRA -- CMAKE_ARGS...
tier() {
  local name=$1 dir=$2 labels=$3 extra=$4
  shift 5
  build "$name" "$dir" "$@" || return
  run_ctest "$name" "$dir" "$labels" "$extra"
}

# The release tree: always built; its tests need 32-bit execution and the
# 32-bit Wine, which many machines lack.
win32_tier() {
  local runs=0 build_target=
  tools/probe_32bit.sh && [ -x /usr/lib/wine/wine ] && runs=1
  # Where its tests cannot run, only the release's programs are built.
  [ $runs = 1 ] || build_target="tzk setup"
  build win32 build/win32 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake "$host_tools" || return
  # The release's programs must be 32-bit (PE32, optional-header magic 0x10b).
  local exe off wrong=()
  for exe in build/win32/*.exe; do
    off=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
    [ "$(od -An -tx2 -j$((off + 24)) -N2 "$exe" | tr -d ' ')" = 010b ] || wrong+=("$exe")
  done
  if [ ${#wrong[@]} -gt 0 ]; then
    record win32 0 1 $(($(date +%s) - t0)) "not 32-bit programs: ${wrong[*]}"
    return
  fi
  if [ $runs = 1 ]; then
    run_ctest win32 build/win32 'wine|width' "-V -j $e2e_jobs"
  else
    record win32 0 0 $(($(date +%s) - t0)) \
      "tzk.exe and setup.exe built, no test run (no 32-bit execution here), build ${built}s"
  fi
}

# The host tests at the release's width (-m32: 32-bit size_t, long and
# pointers) with UndefinedBehaviorSanitizer, on every machine: run directly
# where the kernel runs 32-bit programs, under qemu-i386's user-mode
# emulation where it does not (ZARVEL_I386_EMULATE=1 takes the emulator
# anyway). The summary says which.
i386_tier() {
  local dir=build/i386 how=directly emulator=
  if [ "${ZARVEL_I386_EMULATE:-0}" = 1 ] || ! tools/probe_32bit.sh; then
    how="under qemu-i386"
    emulator=$(command -v qemu-i386) || { record i386 0 1 0 "qemu-i386 missing"; return; }
  fi
  # A tree set up for the other way: told the new one, and its test programs
  # linked again, so that their test lists are taken that way too.
  if [ -f "$dir/CMakeCache.txt" ] &&
     ! grep -qx "ZARVEL_I386_EMULATOR:STRING=$emulator" "$dir/CMakeCache.txt"; then
    cmake "$dir" -DZARVEL_I386_EMULATOR="$emulator" >/dev/null &&
      find "$dir" -maxdepth 2 -type f -name '*_tests' -delete
  fi
  # Emulated, five tests that play whole stages or minutes of music take two
  # thirds of the tier's processor time (over two minutes): they run at 64
  # bits in host and asan, and at 32 bits where the kernel runs them; the
  # code they play is tested at 32 bits by the rest.
  local long=
  [ -n "$emulator" ] && long="-E (BossArrivesAtFrame2560|NoStageReachesFullScale|EachStageEndsCleared|PlayQueuesEveryBufferAndLoops|TheDriverThreadLoopsTheSongOnItsOwn)"
  UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
  tier i386 "$dir" host "-j $jobs $long" -- \
    "${checked[@]}" -DCMAKE_TOOLCHAIN_FILE=cmake/linux-i386.cmake "$host_tools" \
    -DZARVEL_I386_EMULATOR="$emulator" -DZARVEL_SANITIZE_UNDEFINED=ON -DZARVEL_BENCHMARKS=OFF
  summary[-1]="${summary[-1]}, run $how${long:+ (five long plays left out)}"
}

# Every fuzz target, a few seconds each on its corpus and seeds, through the
# same command the README gives: a target that no longer builds, or that
# crashes, fails the tier.
fuzz_tier() {
  local seconds=${ZARVEL_FUZZ_SECONDS:-5} log=build/fuzz-tier.log ok bad
  t0=$(date +%s)
  note "fuzz: every target for ${seconds}s"
  mkdir -p build
  tools/fuzz/run.sh --seconds "$seconds" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  ok=$(grep -c '^fuzz .*: ok' "$log")
  bad=$(grep -c '^fuzz .*: FAILED\|^fuzz: ' "$log")
  if [ "$rc" -ne 0 ] && [ "$bad" -eq 0 ]; then bad=1; fi
  record fuzz "$ok" "$bad" $(($(date +%s) - t0)) "$((ok + bad)) targets, ${seconds}s each"
}

# The native Linux program (zarvel on SDL2) with SDL's offscreen video and
# dummy audio, so it needs no display: its own tree, with tzk-sim beside it
# for the comparisons.
native_tier() {
  build_target="zarvel native_tests tzk-sim" \
    tier native build/native native "-j $jobs" -- \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARVEL_NATIVE=ON -DZARVEL_BENCHMARKS=OFF "$host_tools"
}

# The tests whose code runs threads (the synthesizer's stream, the music
# player with the driver's thread, the game thread's start and end) under
# ThreadSanitizer: only host_tests is built, and only those tests run,
# less three that play minutes of music to check the loop, not the threads
# (ThreadSanitizer's synthesizer is several times slower).
# Where the kernel's address randomisation is wider than ThreadSanitizer
# maps, its programs run with randomisation off (setarch -R).
tsan_tier() {
  local filter='^(Synth|MusicPlayback|SimAudio|Flow)\.'
  local long='(PlayQueuesEveryBufferAndLoops|TheDriverThreadLoopsTheSongOnItsOwn|FailedCloseKeepsTheMemory)'
  if [ "$(cat /proc/sys/vm/mmap_rnd_bits 2>/dev/null || echo 0)" -gt 28 ]; then
    cmake() { setarch "$(uname -m)" -R cmake "$@"; }
    ctest() { setarch "$(uname -m)" -R ctest "$@"; }
  fi
  if build_target=host_tests build tsan build/tsan "${checked[@]}" "$host_tools" \
       -DZARVEL_BENCHMARKS=OFF -DCMAKE_CXX_FLAGS=-fsanitize=thread \
       -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread; then
    TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1} \
      run_ctest tsan build/tsan host "-j $jobs -R $filter -E $long"
  fi
  unset -f cmake ctest
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
  "${checked[@]}" -DZARVEL_SANITIZE=ON -DZARVEL_BENCHMARKS=OFF
i386_tier
# Every end-to-end test has a prefix and display of its own, so several run
# at once; -V shows every test case by name.
tier win64 build/win64 'wine|e2e' "-V -j $e2e_jobs" -- \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake "$host_tools"
win32_tier
tsan_tier
fuzz_tier
native_tier

note "summary ($(($(date +%s) - started))s)"
printf '%s\n' "${summary[@]}"
echo "$total_passed passed, $total_failed failed"
[ "$total_failed" -eq 0 ]
