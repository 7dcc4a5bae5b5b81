# zdrive_lib.sh: what the driver's checks (check/zdrive_*.sh, run by
# run_e2e.sh as the end-to-end tests are) share. Each checks a part of
# the driver against zdrive_check.exe, a dialog of known layout, and the
# failures a test relies on (exit 1 when the thing is not there, 2 for a
# wrong call); side by side, they take a quarter of the time one would.
main='ドライバー確認'
exe=$(winpath "$BUILD/zdrive_check.exe")

# exit_code WANT COMMAND...: the command ends with WANT.
exit_code() {
  local want=$1 rc=0
  shift
  "$@" >/dev/null 2>&1 || rc=$?
  expect_eq "$want" "$rc" "exit code of $*"
}

# start_dialog: starts the dialog; its process id in $pid.
start_dialog() {
  pid=$(zd start "$exe")
  zd wait-window --title "$main" >/dev/null
}
