# The exit codes that need no dialog: no setup.ini -> 5, '-u' with a missing
# log -> 3 (either spelling), a second instance -> 0 at once.
. "$SRC/tests/e2e/setup_medium.sh"
empty=$WORK/empty
mkdir -p "$empty"
cp "$(setup_exe)" "$empty/setup.exe"
expect_eq 5 "$(zd wait-exit "$(start_setup "$empty")")" "no setup.ini"
expect_eq 3 "$(zd wait-exit "$(start_setup "$empty" -u 'C:\no\such\_inst_.log')")" "-u missing log"
expect_eq 3 "$(zd wait-exit "$(start_setup "$empty" -U 'C:\no\such\_inst_.log')")" "-U missing log"
zd list | grep -q Raro-Re_Vader && fail "a window was shown"

medium=$WORK/medium
standard_medium "$medium"
first=$(start_setup "$medium")
zd wait-window --class '#32770' --title 'ZARVEL セットアップ' >/dev/null
second=$(start_setup "$medium")
expect_eq 0 "$(zd wait-exit "$second")" "second instance"
expect_eq 1 "$(zd list | grep -c 'ZARVEL セットアップ' || true)" "one install dialog"
zd click --class '#32770' --title 'ZARVEL セットアップ' 2
expect_eq 0 "$(zd wait-exit "$first")" "first instance after cancel"
