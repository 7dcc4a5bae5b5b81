# ChangeMedia: a missing disk is asked for; OK looks again once it is there
# and its files are read from it. A second installation whose disk never
# comes: Cancel ends the program, and nothing after the prompt is copied.
. "$SRC/tests/e2e/install_lib.sh"

M=$WORK/medium
make_medium "$M"
echo "first" > "$M/a.dat"
write_ini "$M/setup.ini" <<'INI'
[UninstallSetting]
UseUninstaller=1
UninstallProgramName=unfoo.exe
RegName=ZarvelMediaTest
ShowName=Foo
ShowUninstallProgramName=Foo
[Install]
a.dat
. ChangeMedia = DISK2,Disk 2
x.dat
INI

pid=$(start_setup "$M")
install_to 'C:\Games\Foo'
expect_eq 'Disk 2 のラベルの付いたディスクを入れてください' "$(wait_box)" "insert-disk prompt"
# OK without the disk: asked again.
zd click "${SETUP_BOX[@]}" 1 >/dev/null
expect_eq 'Disk 2 のラベルの付いたディスクを入れてください' "$(wait_box)" "prompt again"
mkdir -p "$M/DISK2"
echo "from disk 2" > "$M/DISK2/x.dat"
zd click "${SETUP_BOX[@]}" 1 >/dev/null
wait_complete
exit_setup "$pid"
cmp "$M/DISK2/x.dat" "$DRIVE_C/Games/Foo/x.dat" || fail "x.dat was not read from DISK2"

# The disk that never comes.
sed -i 's/DISK2,Disk 2/DISK3,Disk 3/' "$M/setup.ini"
pid=$(start_setup "$M")
install_to 'C:\Games\Bar'
expect_eq 'Disk 3 のラベルの付いたディスクを入れてください' "$(wait_box)" "insert-disk prompt"
zd click "${SETUP_BOX[@]}" 2 >/dev/null
expect_eq 0 "$(zd wait-exit "$pid")" "exit code after the refused disk"
[ -f "$DRIVE_C/Games/Bar/a.dat" ] || fail "a.dat before the prompt is missing"
[ ! -e "$DRIVE_C/Games/Bar/x.dat" ] || fail "x.dat was copied"
expect_eq $'C:\\Games\\Bar\nC:\\Games\\Bar\\_inst_.log\nC:\\Games\\Bar\\a.dat' \
  "$(log_lines "$DRIVE_C/Games/Bar/_inst_.log")" "the log of the cancelled installation"
