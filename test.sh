#!/usr/bin/env bash
# Everything, from a bare Debian 12 machine: dependencies, the build trees
# (made when missing, rebuilt incrementally otherwise), and all tests.
#   build/host   native, optimised, no debugging information: the tools
#                the other trees use (the asset tool, tzk-sim, setup-check),
#                the benchmarks, and the native SDL2 program with its tests
#                (tier native)
#   build/asan   native with ASan and UBSan: the unit and scenario tests
#                (label host)
#   build/i386   the same tests at the release's width (-m32) with UBSan
#   build/win64  mingw-w64 x86_64, run under the 64-bit Wine (labels wine, e2e)
#   build/win32  mingw-w64 i686, the release: always built; where this
#                machine runs 32-bit programs, the tests its width can
#                change (labels wine, width): the unit tests under Wine,
#                the journey, the installer's copy and uninstall on real
#                files; the other end-to-end tests of the same source run
#                in win64 only
#   build/tsan   native with ThreadSanitizer: the tests that run threads
#   build/fuzz   clang: every libFuzzer target, a few seconds each
#   build/web    emscripten: the page, tested in headless Chromium (label web)
#
# The order saves waiting: the host tree's tools first, then the win64
# tree, whose Wine tests run in the background while every later tier
# builds and tests at the lowest priority (the i386 tree's tests run in the
# background too, beside the tiers after it). The tests that measure time
# (label timing: the game's frame pacing) run last, alone. Each tier is a
# function below; a new one is a new function and a line at the end.
#
# The last line is "N passed, N failed" over all tiers; the exit code is
# non-zero when anything failed. A tier that does not configure or build
# counts as one failure; a tier that did not run counts as nothing.
set -uo pipefail
cd "$(dirname "$0")" || exit 1

jobs=${ZARVEL_JOBS:-2}
# Wine tests side by side: one keeps some 0.4 of a core busy (it waits for
# windows and timers), so twice as many as there are build jobs, which
# keep two cores nearly busy on their own (ZARVEL_E2E_JOBS=1: one by one).
e2e_jobs=${ZARVEL_E2E_JOBS:-$((jobs * 2))}
started=$(date +%s)
total_passed=0
total_failed=0
tiers=()
declare -A tier_passed tier_failed tier_seconds tier_text

# The trees that check rather than ship (sanitizers, the 32-bit host
# tests) build at -O1 with line tables only: their reports still name file
# and line, and they build in half the time.
checked=(-DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG"
         "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG")
# The host and 64-bit Windows trees are tested, never debugged in place:
# optimised as the release is, without the debugging information (a tenth
# of their build).
untraced=(-DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG"
          "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG")
# build/host's settings, the same for both tiers that build in it.
host_args=("${untraced[@]}" -DZARVEL_NATIVE=ON)
# The trees after the host tree draw the game's data with its asset tool
# rather than building one of their own: the tool reads only this
# repository's art, and a sanitized copy of it cost the asan tree a quarter
# of its build.
host_tools=-DZARVEL_HOST_TOOLS_DIR=$PWD/build/host/bin

# Every heavy command of a tier goes through run: at the lowest priority
# once Wine tests run in the background (calm), under the tier's own
# wrapper if it has one (wrap).
calm=()
wrap=()
run() { "${calm[@]}" "${wrap[@]}" "$@"; }

note() { printf '\n=== %s\n' "$*"; }

# record TIER PASSED FAILED SECONDS TEXT: adds to the tier's line of the
# summary (a tier whose tests run in two parts records twice).
record() {
  if [ -z "${tier_passed[$1]+set}" ]; then
    tiers+=("$1")
    tier_passed[$1]=0 tier_failed[$1]=0 tier_seconds[$1]=0 tier_text[$1]=
  fi
  tier_passed[$1]=$((tier_passed[$1] + $2))
  tier_failed[$1]=$((tier_failed[$1] + $3))
  tier_seconds[$1]=$((tier_seconds[$1] + $4))
  tier_text[$1]=${tier_text[$1]:+${tier_text[$1]}, }$5
  total_passed=$((total_passed + $2))
  total_failed=$((total_failed + $3))
}

# settings_differ DIR CMAKE_ARGS...: true when a -DNAME=VALUE given is not
# what DIR's cache holds (a tree made before a setting changed). The
# toolchain is left out: a tree keeps the one it was made with.
settings_differ() {
  local dir=$1 arg name value
  shift
  for arg in "$@"; do
    [[ $arg =~ ^-D([A-Za-z0-9_]+)(:[A-Z]+)?=(.*)$ ]] || continue
    name=${BASH_REMATCH[1]} value=${BASH_REMATCH[3]}
    [ "$name" = CMAKE_TOOLCHAIN_FILE ] && continue
    grep -qxF -e "$value" <(sed -n "s/^$name:[A-Z]*=//p" "$dir/CMakeCache.txt") || return 0
  done
  return 1
}

# build NAME DIR CMAKE_ARGS...: configures when needed (a new tree, or one
# whose settings test.sh now gives otherwise) and builds (only $build_target
# when set); says how long it took in $built, and records a failure itself.
build() {
  local name=$1 dir=$2
  shift 2
  t0=$(date +%s)
  if [ ! -f "$dir/build.ninja" ] || settings_differ "$dir" "$@"; then
    note "$name: configure $dir"
    if ! run cmake -S . -B "$dir" -G Ninja "$@"; then
      record "$name" 0 1 $(($(date +%s) - t0)) "configure failed"
      return 1
    fi
  fi
  note "$name: build $dir${build_target:+ ($build_target)}"
  # shellcheck disable=SC2086
  if ! run cmake --build "$dir" -j "$jobs" ${build_target:+--target $build_target}; then
    record "$name" 0 1 $(($(date +%s) - t0)) "build failed"
    return 1
  fi
  built=$(($(date +%s) - t0))
}

# ctest_into LOG DIR LABELS CTEST_EXTRA: runs the tests, their output into
# LOG. The tests that measure time are left for the end (timing_runs). A
# native test program's entries (label host: a suite each) say how many
# cases they ran and, in full, only what failed (GTEST_BRIEF).
ctest_into() {
  local log=$1 dir=$2 labels=$3 extra=$4 brief=0
  [ "$labels" = host ] && extra="-V $extra" brief=1
  # shellcheck disable=SC2086
  GTEST_BRIEF=$brief run ctest --test-dir "$dir" -L "$labels" -LE timing --output-on-failure \
    --timeout 600 --no-tests=ignore $extra >"$log" 2>&1
}

# tally NAME LOG RC SECONDS TEXT: records what ctest said in LOG (RC: its
# exit code).
tally() {
  local name=$1 log=$2 rc=$3 seconds=$4 text=$5 line total failed cases counted
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
  # The test programs' own count of the cases they ran (ctest -V shows it).
  cases=$(grep -oE '\[==========\] [0-9]+ tests? from .* ran\.' "$log" |
          awk '{ n += $2 } END { print n + 0 }')
  counted="$total tests"
  [ "$cases" -gt 1 ] && counted+=" ($cases cases)"
  [ "$cases" -eq 1 ] && counted+=" (1 case)"
  record "$name" $((total - failed)) "$failed" "$seconds" "$text, $counted"
}

# run_ctest NAME DIR LABELS CTEST_EXTRA: runs the tests, shows and records
# them; the tier's timing tests wait for the end.
run_ctest() {
  local name=$1 dir=$2 labels=$3 extra=$4 rc
  note "$name: ctest -L '$labels'"
  ctest_into "$dir/ctest.log" "$dir" "$labels" "$extra"
  rc=$?
  cat "$dir/ctest.log"
  tally "$name" "$dir/ctest.log" "$rc" $(($(date +%s) - t0)) "build ${built}s"
  timing_later "$name" "$dir" "$labels" "$extra"
}

# tier NAME DIR LABELS CTEST_EXTRA -- CMAKE_ARGS...
tier() {
  local name=$1 dir=$2 labels=$3 extra=$4
  shift 5
  build "$name" "$dir" "$@" || return
  run_ctest "$name" "$dir" "$labels" "$extra"
}

# background_tier NAME DIR LABELS CTEST_EXTRA -- CMAKE_ARGS...: builds, then
# starts the tests in the background; every later tier runs at the lowest
# priority until background_end collects them. $summary_note, when set, ends
# the tier's line of the summary.
declare -A bg_pid bg_t0 bg_built bg_dir bg_note
background_tier() {
  local name=$1 dir=$2 labels=$3 extra=$4
  shift 5
  build "$name" "$dir" "$@" || return
  note "$name: ctest -L '$labels' in the background"
  rm -f "$dir/ctest.end"
  (ctest_into "$dir/ctest.log" "$dir" "$labels" "$extra"; rc=$?; date +%s >"$dir/ctest.end"; exit $rc) &
  bg_pid[$name]=$! bg_t0[$name]=$(date +%s) bg_built[$name]=$built bg_dir[$name]=$dir
  bg_note[$name]=${summary_note:-}
  timing_later "$name" "$dir" "$labels" "$extra"
  calm=(nice -n 19)
}

# The tier's time is its build and its tests' own, from their start to
# their end (ctest.end).
background_end() {
  local name rc tests
  for name in "${!bg_pid[@]}"; do
    rc=0
    wait "${bg_pid[$name]}" || rc=$?
    note "$name: ctest, beside the tiers after it"
    cat "${bg_dir[$name]}/ctest.log"
    tests=$(($(cat "${bg_dir[$name]}/ctest.end" 2>/dev/null || date +%s) - bg_t0[$name]))
    tally "$name" "${bg_dir[$name]}/ctest.log" "$rc" $((tests + bg_built[$name])) \
      "build ${bg_built[$name]}s, tests ${tests}s beside the later tiers${bg_note[$name]}"
  done
  calm=()
}

# The tests labelled timing of every tier that ran tests, one at a time
# with nothing else running: timing_later NAME DIR LABELS CTEST_EXTRA
# keeps a tier's for timing_tests at the end. Their fixtures (-FS) ran with
# the tier's other tests.
timing_runs=()
timing_later() { timing_runs+=("$1"$'\x1f'"$2"$'\x1f'"$3"$'\x1f'"$4"); }
timing_tests() {
  local entry name dir labels extra log rc t
  for entry in "${timing_runs[@]}"; do
    IFS=$'\x1f' read -r name dir labels extra <<<"$entry"
    # shellcheck disable=SC2086
    [ "$(ctest --test-dir "$dir" -N -L "$labels" -L timing -FS . $extra |
         sed -n 's/^Total Tests: //p')" -gt 0 ] 2>/dev/null || continue
    note "$name: ctest -L '$labels' -L timing, alone"
    log=$dir/ctest-timing.log t=$(date +%s)
    # shellcheck disable=SC2086
    ctest --test-dir "$dir" -L "$labels" -L timing -FS . --output-on-failure --timeout 600 \
      $extra >"$log" 2>&1
    rc=$?
    cat "$log"
    tally "$name" "$log" "$rc" $(($(date +%s) - t)) "timing $(($(date +%s) - t))s alone"
  done
}

# The host tree: what the other trees use (the asset tool, tzk-sim,
# setup-check) and the benchmarks. Its unit and scenario tests are those
# the asan tier runs, so it builds none; the native program is the native
# tier's.
host_tier() {
  build_target=zarvel_tools build host build/host "${host_args[@]}" || return
  record host 0 0 "$built" "tools built in ${built}s (the unit tests run in asan)"
}

# The Windows programs and tests, x86_64, under the 64-bit Wine: every
# end-to-end test has a prefix and display of its own, so several run at
# once; -V shows every test case by name. Its template prefix boots while
# the host tree builds.
win64_tier() {
  background_tier win64 build/win64 'wine|e2e' "-V -j $e2e_jobs" -- \
    "${untraced[@]}" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake "$host_tools"
}

asan_tier() {
  ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0} \
  UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
  build_target="host_tests setup_tests" \
  tier asan build/asan host "-j $jobs" -- \
    "${checked[@]}" -DZARVEL_SANITIZE=ON -DZARVEL_BENCHMARKS=OFF "$host_tools"
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
# anyway). The summary says which. Only the test programs are built. Its
# tests (over a minute of processor time under the emulator) run beside the
# later tiers, whose configuring and linking leave a core idle at times.
i386_tier() {
  local dir=build/i386 how=directly emulator=
  if [ "${ZARVEL_I386_EMULATE:-0}" = 1 ] || ! tools/probe_32bit.sh; then
    how="under qemu-i386"
    emulator=$(command -v qemu-i386) || { record i386 0 1 0 "qemu-i386 missing"; return; }
  fi
  # Emulated, six tests that play whole stages or minutes of music take two
  # thirds of the tier's processor time (over two minutes): they run at 64
  # bits in asan, and at 32 bits where the kernel runs them; the code they
  # play is tested at 32 bits by the rest.
  local long=
  [ -n "$emulator" ] && long=StageLoopTest.BossArrivesAtFrame2560AndItsDeathClearsTheStage:StageMix.NoStageReachesFullScale:StageScenario.EachStageEndsCleared:MusicPlayback.PlayQueuesEveryBufferAndLoops:MusicPlayback.TheDriverThreadLoopsTheSongOnItsOwn:PatchMeasure.ReadsBackThePatchOurSynthesizerPlays
  UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
  build_target="host_tests setup_tests" \
  summary_note=", run $how${long:+ (six long plays left out)}" \
  background_tier i386 "$dir" host "-j $jobs" -- \
    "${checked[@]}" -DCMAKE_TOOLCHAIN_FILE=cmake/linux-i386.cmake "$host_tools" \
    -DZARVEL_I386_EMULATOR="$emulator" -DZARVEL_GTEST_SKIP="$long" \
    -DZARVEL_SANITIZE_UNDEFINED=ON -DZARVEL_BENCHMARKS=OFF
}

# Every fuzz target, a few seconds each on its corpus and seeds, through the
# same command the README gives: a target that no longer builds, or that
# crashes, fails the tier.
fuzz_tier() {
  local seconds=${ZARVEL_FUZZ_SECONDS:-5} log=build/fuzz-tier.log ok bad
  t0=$(date +%s)
  note "fuzz: every target for ${seconds}s"
  mkdir -p build
  run tools/fuzz/run.sh --seconds "$seconds" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  ok=$(grep -c '^fuzz .*: ok' "$log")
  bad=$(grep -c '^fuzz .*: FAILED\|^fuzz: ' "$log")
  if [ "$rc" -ne 0 ] && [ "$bad" -eq 0 ]; then bad=1; fi
  record fuzz "$ok" "$bad" $(($(date +%s) - t0)) "$((ok + bad)) targets, ${seconds}s each"
}

# The native Linux program (zarvel on SDL2) with SDL's offscreen video and
# dummy audio, so it needs no display: built in the host tree, beside the
# tzk-sim it is compared with.
native_tier() {
  build_target="zarvel native_tests tzk-sim" \
    tier native build/host native "-j $jobs" -- "${host_args[@]}"
}

# The tests whose code runs threads (the synthesizer's stream, the music
# player with the driver's thread, the game thread's start and end) under
# ThreadSanitizer: host_tests is built of their four files only, and only
# their suites run, less three that play minutes of music to check the
# loop, not the threads (ThreadSanitizer's synthesizer is several times
# slower).
# Where the kernel's address randomisation is wider than ThreadSanitizer
# maps, its programs run with randomisation off (setarch -R).
tsan_tier() {
  local files='/(synth|music_player|sim_audio|flow)_test\.cpp$'
  local suites='^(Synth|MusicPlayback|SimAudio|Flow)$'
  local long=MusicPlayback.PlayQueuesEveryBufferAndLoops:MusicPlayback.TheDriverThreadLoopsTheSongOnItsOwn:MusicPlayback.FailedCloseKeepsTheMemoryTheDriverHolds
  if [ "$(cat /proc/sys/vm/mmap_rnd_bits 2>/dev/null || echo 0)" -gt 28 ]; then
    wrap=(setarch "$(uname -m)" -R)
  fi
  if build_target=host_tests build tsan build/tsan "${checked[@]}" "$host_tools" \
       -DZARVEL_BENCHMARKS=OFF -DCMAKE_CXX_FLAGS=-fsanitize=thread \
       -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread "-DZARVEL_HOST_TEST_FILES=$files" \
       -DZARVEL_GTEST_SKIP="$long"; then
    TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1} \
      run_ctest tsan build/tsan host "-j $jobs -R $suites"
  fi
  wrap=()
}

# The page (emscripten), served on 127.0.0.1 and driven in headless
# Chromium: a replay's fingerprints, canvas and sound against tzk-sim's
# (the host tree's), the high scores the page keeps, a clean console. One
# Chromium at a time; every check waits for the states it causes and none
# measures time, so none is labelled timing.
web_tier() {
  local root
  if ! root=$(em-config EMSCRIPTEN_ROOT 2>/dev/null) || ! command -v node >/dev/null ||
     [ ! -x "${ZARVEL_CHROMIUM:-/usr/bin/chromium}" ]; then
    record web 0 0 0 "skipped: emscripten, Node.js or Chromium could not be installed"
    return
  fi
  build_target=zarvel_site background_tier web build/web web "-j 1" -- \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/Modules/Platform/Emscripten.cmake" "$host_tools"
}

note "dependencies"
if ! tools/install_deps.sh; then
  echo "test.sh: installing the dependencies failed"
  echo "0 passed, 1 failed"
  exit 1
fi

# The Wine prefix every win64 test copies boots while the host tree builds.
mkdir -p build
tools/wine_template.sh build/win64 win64 >build/wine-template.log 2>&1 &

host_tier
win64_tier
asan_tier
i386_tier
tsan_tier
native_tier
win32_tier
web_tier
fuzz_tier
background_end
timing_tests

note "summary ($(($(date +%s) - started))s)"
for name in "${tiers[@]}"; do
  printf '%-6s %4d passed %4d failed %5ds  %s\n' "$name" "${tier_passed[$name]}" \
    "${tier_failed[$name]}" "${tier_seconds[$name]}" "${tier_text[$name]}"
done
echo "$total_passed passed, $total_failed failed"
[ "$total_failed" -eq 0 ]
