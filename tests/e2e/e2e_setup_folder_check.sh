# The folder check: refused texts show their message and reset the field;
# an accepted one ends the dialog and opens the copy dialog.
. "$SRC/tests/e2e/setup_medium.sh"
medium=$WORK/medium
standard_medium "$medium"
pid=$(start_setup "$medium")
dlg=(--class '#32770' --title 'ZARVEL セットアップ')
box=(--class '#32770' --title 'セットアップ プログラム')
zd wait-window "${dlg[@]}" >/dev/null

refuse() {  # refuse FIELD MESSAGE
  zd set-text "${dlg[@]}" 1003 "$1"
  zd click "${dlg[@]}" 1
  zd wait-window "${box[@]}" >/dev/null
  zd texts "${box[@]}" | grep -qF "$2" || fail "no message '$2' for '$1'"
  zd keys "${box[@]}" ENTER
  zd wait-gone "${box[@]}"
  expect_eq 'C:\Zarvel' "$(zd text "${dlg[@]}" 1003)" "field reset after '$1'"
}
refuse 'C:\Ga*mes' 'ファイル名に  /:*?"<>|  の文字は使えません。'
refuse 'C:\Games\\X' '名無しのフォルダが指定されています。'
refuse 'C:\ \X' '名無しのフォルダが指定されています。'

# The default-folder button puts the default back.
zd set-text "${dlg[@]}" 1003 'D:\Other'
zd click "${dlg[@]}" 1016
expect_eq 'C:\Zarvel' "$(zd text "${dlg[@]}" 1003)" "default folder button"

# Accepted (trailing backslash cut): the copy dialog opens and installs;
# its exit button ends the program with 0.
zd set-text "${dlg[@]}" 1003 'C:\Games\Zarvel\'
zd click "${dlg[@]}" 1
# The copy phase runs to its end; its exit button ends the program with 0.
finish_setup "$pid" --class '#32770' --title 'セットアップ プログラム'
