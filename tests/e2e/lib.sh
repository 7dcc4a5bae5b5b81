# lib.sh: what an end-to-end script may call (sourced by run_e2e.sh, which
# sets BUILD, SRC, WORK, DRIVE_C, ZDRIVE and the Wine environment).

# zd COMMAND ARGS...: one zdrive.exe command; its output is UTF-8. The
# commands go to the test's own zdrive, which run_e2e.sh started ("serve",
# on descriptors 7 and 8): a Wine process for each would cost more
# processor time than the command. A program it starts gets the script's
# ZARVEL_* variables of the moment (ZARVEL_UNINSTALL_TRACE, say), the only
# ones our programs read; the rest of its environment is the test's. Two
# kinds run as a program of their own: a command in the background
# (ZD_APART=1 zd ...), and every command once the test's zdrive has stopped
# answering. A program started that way keeps the standard error it was
# given; it gets a log file of its own (start-*.log in $WORK), so that a
# script capturing zd's standard error never waits for the program to end.
zd() {
  if [ -n "${ZD_SERVER:-}" ] && [ -z "${ZD_APART:-}" ] && [ $# -gt 0 ] &&
     [ ! -e "$WORK/zd.stuck" ] && kill -0 "$ZD_SERVER" 2>/dev/null; then
    if [ "$1" = start ]; then
      local name env=()
      for name in $(compgen -e); do
        if [[ $name == ZARVEL_* ]]; then env+=(--env "$name=${!name}"); fi
      done
      _zd_served start "${env[@]}" "${@:2}"
      return
    fi
    _zd_served "$@"
    return
  fi
  if [ "${1:-}" = start ]; then
    local log rc=0
    log=$(mktemp "$WORK/start-XXXX.log")
    timeout -k 5 120 "$WINELOADER" "$ZDRIVE" "$@" 2>"$log" || rc=$?
    cat "$log" >&2
    return $rc
  fi
  timeout -k 5 120 "$WINELOADER" "$ZDRIVE" "$@"
}

# _zd_served COMMAND ARGS...: the command through the test's zdrive. The
# whole answer is read before any of it is passed on, so that a reader that
# stops early (zd ... | grep -q) leaves nothing for the next command. A
# zdrive that gives no answer within the process limit is left alone.
_zd_served() {
  local line out=() err=()
  { printf '%d\n' $#; printf '%s\0' "$@"; } >&7
  while IFS= read -r -t 125 line <&8; do
    case $line in
      "o "*) out+=("${line#o }") ;;
      "e "*) err+=("${line#e }") ;;
      "= "*)
        [ ${#err[@]} -eq 0 ] || printf '%s\n' "${err[@]}" >&2
        [ ${#out[@]} -eq 0 ] || printf '%s\n' "${out[@]}"
        return "${line#= }"
        ;;
    esac
  done
  : >"$WORK/zd.stuck"
  echo "zd: the test's zdrive gave no answer to: $*" >&2
  return 124
}

# winpath PATH: the Windows path of a Unix path: C:\... inside the prefix's
# drive C, Z:\... elsewhere.
winpath() {
  local p
  p=$(realpath -m -- "$1")
  case "$p" in
    "$DRIVE_C") p='C:\' ;;
    "$DRIVE_C"/*) p="C:${p#"$DRIVE_C"}" ;;
    *) p="Z:$p" ;;
  esac
  printf '%s\n' "${p//\//\\}"
}

# shot FILE.png: the whole X screen (a relative name lands in $WORK).
shot() {
  local f=$1
  case "$f" in /*) ;; *) f=$WORK/$f ;; esac
  import -display "$DISPLAY" -window root "$f"
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# setup_exe: setup.exe of the build tree under test.
setup_exe() {
  local f
  for f in "$BUILD/setup.exe" "$BUILD/setup/setup.exe"; do
    if [ -f "$f" ]; then echo "$f"; return 0; fi
  done
  fail "no setup.exe in $BUILD"
}

# farewell_ok [MS]: the game's farewell box, told by its text from the quit
# question of the same caption that may still be closing, and its OK.
farewell_ok() {
  local box
  box=$(zd wait-window --timeout "${1:-60000}" --class '#32770' \
    --has-text '遊んでいただきありがとうございました。') || fail "no farewell box"
  zd click --hwnd "$box" 1 >/dev/null
}

# finish_setup PID DIALOG...: waits up to two minutes for the installer's
# closing dialog (matched by DIALOG's zd arguments) to say the installation
# is complete, closes it and checks the exit code.
finish_setup() {
  local pid=$1
  shift
  completed() { zd state "$@" 1020 2>/dev/null | grep -q 'visible=1'; }
  until_ok 120 completed "$@" || fail "the installation did not complete"
  expect_eq 'インストールが完了しました' "$(zd text "$@" 1020)" "installation complete"
  zd click "$@" 2 >/dev/null
  expect_eq 0 "$(zd wait-exit "$pid")" "setup.exe exit code"
}

# expect_eq WANT GOT WHAT
expect_eq() {
  [ "$1" = "$2" ] || fail "${3:-value}: expected '$1', got '$2'"
}

# until_ok SECONDS COMMAND...: runs COMMAND every 0.2 s until it succeeds,
# for up to SECONDS; false when it never did. For a state the test caused
# that the program shows a moment later (under load, many moments later).
until_ok() {
  local limit=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$limit" ] || return 1
    sleep 0.2
  done
}

# wait_eq WANT WHAT COMMAND...: waits up to 60 s for COMMAND to print WANT,
# then compares as expect_eq does.
wait_eq() {
  local want=$1 what=$2 got limit=$((SECONDS + 60))
  shift 2
  while got=$("$@" 2>/dev/null) || true; [ "$got" != "$want" ] && [ "$SECONDS" -lt "$limit" ]; do
    sleep 0.2
  done
  expect_eq "$want" "$got" "$what"
}

# The registry, read by the test's zdrive. A key or value counts as absent
# only when zdrive, working, found it so; a zdrive that fails ends the test
# (and regget prints ZDRIVE-FAILED, so that no comparison passes on it).

# regget KEY VALUE: the value's data as reg.exe shows it (strings as they
# are, REG_DWORD as 0x...), empty when the key or value is absent.
regget() {
  zd reg-get "$1" "$2" || { echo ZDRIVE-FAILED; fail "cannot read $2 of $1"; }
}

# key_exists KEY: true when present, false when absent.
key_exists() {
  local state
  state=$(zd reg-key "$1") || fail "cannot tell whether $1 exists"
  case "$state" in
    present) return 0 ;;
    absent) return 1 ;;
  esac
  fail "zdrive reg-key $1 said '$state'"
}

# The files and registry compared before and after.
. "$SRC/tests/e2e/state_lib.sh"
