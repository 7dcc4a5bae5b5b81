# desktop: 800x600
# The driver on the dialog's controls: layout, state, typing, clicks, a
# press that waits for a file, and the exit code they make.
. "$SRC/tests/e2e/check/zdrive_lib.sh"

start_dialog
expect_eq "#32770	$main" "$(zd foreground)" "foreground"
zd list | grep -q "	$main	$pid	1\$" || fail "list lacks the dialog"

# Layout as the template has it, in dialog units.
while read -r id want; do
  expect_eq "$want" "$(zd rect --title "$main" "$id")" "rect of $id"
done <<'TABLE'
101 10 10 120 14
102 10 30 80 10
103 10 50 50 14
105 140 10 50 14
1 90 78 50 14
2 145 78 50 14
TABLE

# State of each kind of control.
while read -r id want; do
  expect_eq "$want" "$(zd state --title "$main" "$id")" "state of $id"
done <<'TABLE'
102 checked=0 enabled=1 visible=1
105 checked=0 enabled=0 visible=1
1 checked=0 enabled=1 visible=1
TABLE

expect_eq "102	Button	チェック" "$(zd texts --title "$main" | grep '^102	')" "texts"
expect_eq "$main" "$(zd text --title "$main" 0)" "title"

# Typing reaches the edit box of a modal dialog, Japanese and keys alike
# (the dialog takes typed keys a moment after they were sent).
zd keys --title "$main" focus:101 text:あいうABC BACKSPACE
wait_eq "あいうAB" "typed text" zd text --title "$main" 101
zd set-text --title "$main" 101 "日本語"
wait_eq "日本語" "set text" zd text --title "$main" 101

zd click --title "$main" 102
wait_eq "checked=1 enabled=1 visible=1" "clicked check box" zd state --title "$main" 102
# A press that waits for a file's lines.
printf 'a\r\nb\r\n' > "$WORK/two.txt"
exit_code 1 zd click-when --timeout 300 --file "$WORK/two.txt" --lines 3 --title "$main" 102
exit_code 1 zd click-when --timeout 300 --file "$WORK/none.txt" --title "$main" 102
zd click-when --file "$WORK/two.txt" --lines 2 --title "$main" 102
wait_eq "checked=0 enabled=1 visible=1" "clicked when the file was ready" zd state --title "$main" 102
zd click --title "$main" 102  # ticked again: the exit code below tells
wait_eq "checked=1 enabled=1 visible=1" "ticked again" zd state --title "$main" 102

# The exit code survives the program's end: asked again once it has ended.
zd click --title "$main" 1
zd wait-exit "$pid" >/dev/null
expect_eq 61 "$(zd wait-exit "$pid")" "exit code"
