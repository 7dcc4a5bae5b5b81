# A second start asks Yes/No/Cancel: Cancel ends it and the first runs on;
# No brings the first to the front and ends the second.
source "$SRC/tests/e2e/tzk_lib.sh"
tzk_folder
first=$(tzk_start)
tzk_wait_window

second=$(tzk_start)
box_wait "$TZK_CAPTION"
box_text "$TZK_CAPTION" | grep -q "すでに起動されているようです。" || fail "no second-start question"
zd click --class '#32770' --title "$TZK_CAPTION" 2
expect_eq 0 "$(zd wait-exit "$second")" "second start, Cancel: exit code"
zd wait-window --class tzk >/dev/null

third=$(tzk_start)
box_wait "$TZK_CAPTION"
zd click --class '#32770' --title "$TZK_CAPTION" 7
expect_eq 0 "$(zd wait-exit "$third")" "second start, No: exit code"
in_front() { zd foreground | grep -q "^tzk"; }
until_ok 60 in_front || fail "the first game is not in front: $(zd foreground)"
tzk_quit "$first"
