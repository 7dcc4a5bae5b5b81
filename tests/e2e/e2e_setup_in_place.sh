# No Install entries: in-place mode, the folder cannot be chosen; the
# missing uninstaller key is said once when the installation starts.
. "$SRC/tests/e2e/setup_medium.sh"
medium=$WORK/medium
make_medium "$medium" <<'INI'
[init]
DisableDefalutInstallButton=1
DefaultRegistDesktop=1
[UninstallSetting]
UseUninstaller=1
UninstallProgramName=u.exe
ShowName=X
ShowUninstallProgramName=X
[DeskTopSet]
X|x.exe
INI
pid=$(start_setup "$medium")
dlg=(--class '#32770' --title 'セットアップ')
zd wait-window "${dlg[@]}" >/dev/null
expect_eq "" "$(zd text "${dlg[@]}" 1003)" "field emptied"
for id in 1003 1017 1014 1016; do
  zd state "${dlg[@]}" $id | grep -q 'enabled=0' || fail "control $id enabled in place"
done
expect_eq "checked=1 enabled=1 visible=1" "$(zd state "${dlg[@]}" 1026)" "desktop box"
zd click "${dlg[@]}" 1
box=(--class '#32770' --title 'セットアップ プログラム')
zd wait-window "${box[@]}" >/dev/null
zd texts "${box[@]}" | grep -q 'RegName' || fail "the missing RegName is not named"
zd keys "${box[@]}" ENTER
# The copy phase runs to its end; its exit button ends the program with 0.
finish_setup "$pid" --class '#32770' --title 'セットアップ プログラム'
