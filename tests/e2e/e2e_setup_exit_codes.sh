# The exit codes that need no dialog: no setup.ini -> 5, '-u' with a missing
# log -> 3 (either spelling), a second instance -> 0 at once.
. "$SRC/tests/e2e/setup_medium.sh"

# exit_unseen PID: the exit code, looking for a window of the program every
# moment it runs: one that waits for a click keeps it running and is seen.
exit_unseen() {
  local code shown
  for _ in $(seq 100); do
    shown=$(zd list --pid "$1" | awk -F'\t' '$5 == 1')
    [ -z "$shown" ] || { echo WINDOW; fail "process $1 showed a window: $shown"; }
    if code=$(zd wait-exit --timeout 200 "$1" 2>/dev/null); then
      echo "$code"
      return 0
    fi
  done
  echo RUNNING
  fail "process $1 did not end"
}

empty=$WORK/empty
mkdir -p "$empty"
cp "$(setup_exe)" "$empty/setup.exe"
expect_eq 5 "$(exit_unseen "$(start_setup "$empty")")" "no setup.ini"
expect_eq 3 "$(exit_unseen "$(start_setup "$empty" -u 'C:\no\such\_inst_.log')")" "-u missing log"
expect_eq 3 "$(exit_unseen "$(start_setup "$empty" -U 'C:\no\such\_inst_.log')")" "-U missing log"

medium=$WORK/medium
standard_medium "$medium"
first=$(start_setup "$medium")
zd wait-window --class '#32770' --title 'ZARVEL セットアップ' >/dev/null
second=$(start_setup "$medium")
expect_eq 0 "$(zd wait-exit "$second")" "second instance"
expect_eq 1 "$(zd list | grep -c 'ZARVEL セットアップ' || true)" "one install dialog"
zd click --class '#32770' --title 'ZARVEL セットアップ' 2
expect_eq 0 "$(zd wait-exit "$first")" "first instance after cancel"
