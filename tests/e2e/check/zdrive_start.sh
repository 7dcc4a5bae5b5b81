# desktop: 800x600
. "$SRC/tests/e2e/check/zdrive_lib.sh"

# The ZARVEL_* variables of the script, as a started program should see
# them (zdrive_check.exe shows its own in control 109).
zarvel_env() {
  local name line=
  for name in $(compgen -e | LC_ALL=C sort); do
    if [[ $name == ZARVEL_* ]]; then line+="${line:+|}$name=${!name}"; fi
  done
  printf '%s\n' "$line"
}

# Arguments arrive as given, quotes and backslashes included, the program
# runs in its own folder unless told otherwise, and it gets the script's
# ZARVEL_* variables as they are when it starts.
check_start() {
  local want_args=$1 want_cwd=$2 pid
  shift 2
  pid=$(zd start "$@")
  zd wait-window --pid "$pid" --title "$main" >/dev/null
  expect_eq "$want_args" "$(zd text --pid "$pid" --title "$main" 107)" "arguments of start $*"
  expect_eq "$want_cwd" "$(zd text --pid "$pid" --title "$main" 108)" "folder of start $*"
  expect_eq "$(zarvel_env)" "$(zd text --pid "$pid" --title "$main" 109)" "ZARVEL_* of start $*"
  zd click --pid "$pid" --title "$main" 2
  expect_eq 7 "$(zd wait-exit "$pid")" "cancelled"
}
check_start "" "$(winpath "$BUILD")" "$exe"
check_start "a b|c\"d|e\\|日本語" "$(winpath "$BUILD")" "$exe" "a b" 'c"d' 'e\' 日本語
check_start "--title|x" 'C:\windows' --cwd 'C:\windows' "$exe" --title x
# A whole command line, split by Windows: the quoted program, then its own
# parser for the arguments.
check_start "a b|c" 'C:\windows' --cwd 'C:\windows' --line "\"$exe\" \"a b\" c"
unix_c=$DRIVE_C
check_start "" "Z:${unix_c//\//\\}" --cwd "$DRIVE_C" "$BUILD/zdrive_check.exe"

# One set since the test began is there, one unset since is not.
gone=$(compgen -e | grep -m1 '^ZARVEL_') || fail "the test began with no ZARVEL_* variable"
(unset "$gone"; export ZARVEL_CHECK='a b=c 日本語'; check_start "" "$(winpath "$BUILD")" "$exe")
