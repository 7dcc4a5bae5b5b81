# The folder browser: its read-only line shows the chosen folder with the
# product's folder name added, OK puts that into the field, cancel changes
# nothing.
. "$SRC/tests/e2e/setup_medium.sh"
medium=$WORK/medium
standard_medium "$medium"
pid=$(start_setup "$medium")
dlg=(--class '#32770' --title 'ZARVEL セットアップ')
browser=(--class '#32770' --title 'フォルダーの参照')
zd wait-window "${dlg[@]}" >/dev/null

# The line under the title: the only Edit of the browser.
chosen_line() { zd texts "${browser[@]}" | awk -F'\t' '$2 == "Edit" { print $3 }'; }

zd click "${dlg[@]}" 1014
zd wait-window "${browser[@]}" >/dev/null
zd texts "${browser[@]}" | grep -q 'インストールのフォルダを指定してください。' || fail "browser title text"
zd keys "${browser[@]}" focus:14145 HOME DOWN
# The line follows the selection once the browser has taken the keys.
chosen() { line=$(chosen_line); case "$line" in *\\Zarvel) ;; *) false ;; esac; }
until_ok 60 chosen || fail "the browser's line shows '$line', not a folder ending in \\Zarvel"
zd click "${browser[@]}" 1
zd wait-gone "${browser[@]}"
expect_eq "$line" "$(zd text "${dlg[@]}" 1003)" "field after OK"

zd set-text "${dlg[@]}" 1003 'C:\Kept'
zd click "${dlg[@]}" 1014
zd wait-window "${browser[@]}" >/dev/null
zd click "${browser[@]}" 2
zd wait-gone "${browser[@]}"
expect_eq 'C:\Kept' "$(zd text "${dlg[@]}" 1003)" "field after cancel"

zd click "${dlg[@]}" 2
expect_eq 0 "$(zd wait-exit "$pid")" "exit code"
