# In-place installation from a folder with a blank in its path: the log goes
# into the source folder, setup.exe there is the uninstaller, and the
# registry's UninstallString quotes the program path.
. "$SRC/tests/e2e/install_lib.sh"

M="$DRIVE_C/Program Files/Foo Game"
make_medium "$M"
echo "win" > "$M/zinplace.dll"
write_ini "$M/setup.ini" <<'INI'
[UninstallSetting]
UseUninstaller=1
UninstallProgramName=unused.exe
RegName=ZarvelInPlaceTest
ShowName=Foo In Place
ShowUninstallProgramName=Foo
[InstallWindows]
zinplace.dll
INI

pid=$(start_setup "$M")
expect_eq 'checked=0 enabled=0 visible=1' "$(zd state "${INSTALL_DLG[@]}" 1003)" "folder field"
expect_eq '' "$(zd text "${INSTALL_DLG[@]}" 1003)" "folder field text"
install_to ''
wait_complete
exit_setup "$pid"

cmp "$M/zinplace.dll" "$DRIVE_C/windows/zinplace.dll" || fail zinplace.dll
[ ! -e "$DRIVE_C/windows/unused.exe" ] || fail "setup.exe was copied in place mode"
printf '%s\r\n' 'C:\Program Files\Foo Game' 'C:\Program Files\Foo Game\_inst_.log' \
  'C:\windows\zinplace.dll' 'ZarvelInPlaceTest' 'Foo' 'C:\Program Files\Foo Game\setup.exe' \
  > "$WORK/expected.log"
cmp "$WORK/expected.log" "$M/_inst_.log" || fail "_inst_.log differs"
key="$UNINSTALL_KEY\\ZarvelInPlaceTest"
expect_eq '"C:\Program Files\Foo Game\setup.exe" -u C:\Program Files\Foo Game\_inst_.log' \
  "$(regget "$key" UninstallString)" "quoted UninstallString"
expect_eq 'C:\Program Files\Foo Game' "$(regget "$key" InstallLocation)" InstallLocation
