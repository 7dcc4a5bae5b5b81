# A whole installation from a medium made here: files by their lists and
# sub-folders, the log byte for byte, the uninstaller in the Windows folder,
# shortcuts in all four places read back through IShellLinkW, the Uninstall
# key, and an Exec program that ran in the install folder.
. "$SRC/tests/e2e/install_lib.sh"

M=$WORK/medium
make_medium "$M"
mkdir -p "$M/data"
echo "read me" > "$M/readme.txt"
echo "stage one" > "$M/data/stage1.dat"
echo "win dll" > "$M/zfoo.dll"
echo "sys dll" > "$M/zfoosys.dll"
write_ini "$M/setup.ini" <<'INI'
[init]
CopyDir=Foo
StartMenuGroup=Foo Group
DefaultRegistStartMenu=1
DefaultRegistStartUp=1
DefaultRegistDesktop=1
DefaultRegistSendTo=1
[UninstallSetting]
UseUninstaller=1
UninstallProgramName=unfoo.exe
RegName=ZarvelFooTest
ShowName=Foo Game
ShowUninstallProgramName=Foo
SetStartMenuInUninstall=1
[Install]
game.exe
readme.txt
. DustSubDir = data
. SrcSubDir = data
stage1.dat
[InstallWindows]
. DustSubDir =
. SrcSubDir =
zfoo.dll
[InstallSystem]
zfoosys.dll
[StartUpSet]
Up|game.exe|touch startup.txt
[DeskTopSet]
Foo,game.exe
[SendToSet]
Send To Foo|game.exe
[StarMenuSet]
Foo|game.exe|-window
Readme , readme.txt
[AddUninstallDeleteFile]
ran.txt
[Exec]
game.exe touch ran.txt one two
INI

pid=$(start_setup "$M")
for box in 1011 1013 1026 1027; do
  expect_eq 'checked=1 enabled=1 visible=1' "$(zd state "${INSTALL_DLG[@]}" $box)" "check box $box"
done
install_to 'C:\Games\Foo'
wait_complete
exit_setup "$pid"

I=$DRIVE_C/Games/Foo
cmp "$M/game.exe" "$I/game.exe" || fail "game.exe"
cmp "$M/readme.txt" "$I/readme.txt" || fail "readme.txt"
cmp "$M/data/stage1.dat" "$I/data/stage1.dat" || fail "data\\stage1.dat"
cmp "$M/zfoo.dll" "$DRIVE_C/windows/zfoo.dll" || fail "zfoo.dll in the Windows folder"
cmp "$M/zfoosys.dll" "$DRIVE_C/windows/system32/zfoosys.dll" || fail "zfoosys.dll in the system folder"
cmp "$M/setup.exe" "$DRIVE_C/windows/unfoo.exe" || fail "the uninstaller in the Windows folder"

startup=$(probe folder 7)
desktop=$(probe folder 0)
sendto=$(probe folder 9)
group="$(probe folder 2)\\Foo Group"
printf '%s\r\n' 'C:\Games\Foo' 'C:\Games\Foo\_inst_.log' 'C:\Games\Foo\game.exe' \
  'C:\Games\Foo\readme.txt' 'C:\Games\Foo\data' 'C:\Games\Foo\data\stage1.dat' \
  'C:\windows\zfoo.dll' 'C:\windows\system32\zfoosys.dll' \
  "$startup\\Up.lnk" "$desktop\\Foo.lnk" "$sendto\\Send To Foo.lnk" "$group" "$group\\Foo.lnk" \
  "$group\\Readme .lnk" "$group\\Foo Game.lnk" 'C:\Games\Foo\ran.txt' \
  'ZarvelFooTest' 'Foo' 'C:\windows\unfoo.exe' > "$WORK/expected.log"
cmp "$WORK/expected.log" "$I/_inst_.log" || {
  diff <(tr -d '\r' < "$WORK/expected.log") <(tr -d '\r' < "$I/_inst_.log") >&2
  fail "_inst_.log differs"
}

check_lnk() {
  local got
  got=$(probe lnk "$1") || fail "cannot read $1"
  expect_eq "$2" "$got" "shortcut $1"
}
check_lnk "$startup\\Up.lnk" $'target=C:\\Games\\Foo\\game.exe\nworkdir=C:\\Games\\Foo\nargs=touch startup.txt\nicon=,0'
check_lnk "$desktop\\Foo.lnk" $'target=C:\\Games\\Foo\\game.exe\nworkdir=C:\\Games\\Foo\nargs=\nicon=,0'
check_lnk "$sendto\\Send To Foo.lnk" $'target=C:\\Games\\Foo\\game.exe\nworkdir=C:\\Games\\Foo\nargs=\nicon=,0'
check_lnk "$group\\Foo.lnk" $'target=C:\\Games\\Foo\\game.exe\nworkdir=C:\\Games\\Foo\nargs=-window\nicon=,0'
check_lnk "$group\\Readme .lnk" $'target=C:\\Games\\Foo\\readme.txt\nworkdir=C:\\Games\\Foo\nargs=\nicon=,0'
check_lnk "$group\\Foo Game.lnk" $'target=C:\\windows\\unfoo.exe\nworkdir=\nargs= -u C:\\Games\\Foo\\_inst_.log\nicon=C:\\windows\\unfoo.exe,1'

key="$UNINSTALL_KEY\\ZarvelFooTest"
expect_eq 'Foo Game' "$(regget "$key" DisplayName)" DisplayName
expect_eq 'C:\windows\unfoo.exe -u C:\Games\Foo\_inst_.log' "$(regget "$key" UninstallString)" UninstallString
expect_eq 'C:\windows\unfoo.exe,1' "$(regget "$key" DisplayIcon)" DisplayIcon
expect_eq 'C:\Games\Foo' "$(regget "$key" InstallLocation)" InstallLocation
expect_eq 0x1 "$(regget "$key" NoModify)" NoModify
expect_eq 0x1 "$(regget "$key" NoRepair)" NoRepair

# The Exec entry ran without being waited for: its trace comes when it has.
ran() { [ -s "$I/ran.txt" ]; }
until_ok 60 ran || fail "the Exec program left no trace"
expect_eq $'cwd=C:\\Games\\Foo\nargs=one two' "$(tr -d '\r' < "$I/ran.txt")" "the Exec program's trace"
