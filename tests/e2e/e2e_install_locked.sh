# A source file that cannot be read under OverWrite: the copy message names
# both paths, and after OK the rest installs; the file is not logged.
. "$SRC/tests/e2e/install_lib.sh"

M=$WORK/medium
make_medium "$M"
for f in a b c; do echo "file $f" > "$M/$f.dat"; done
write_ini "$M/setup.ini" <<'INI'
[UninstallSetting]
UseUninstaller=1
UninstallProgramName=unfoo.exe
RegName=ZarvelLockedTest
ShowName=Foo
ShowUninstallProgramName=Foo
[Install]
. CopyMode = OverWrite
a.dat
b.dat
c.dat
[InstallWindows]
b.dat
INI

# Another program holds b.dat open without sharing while setup runs: it
# says "held" once it does.
"$WINELOADER" "$PROBE" hold "$(winpath "$M/b.dat")" 180000 >"$WORK/held.txt" 2>/dev/null &
holding() { grep -q held "$WORK/held.txt"; }
until_ok 60 holding || fail "the probe did not hold b.dat"
pid=$(start_setup "$M")
install_to 'C:\Games\Foo'
text=$(wait_box)
expect_eq "コピーできませんでした：$(winpath "$M/b.dat") -> C:\\Games\\Foo\\b.dat" "$text" "copy message"
zd click "${SETUP_BOX[@]}" 1 >/dev/null
# The Windows list fails silently: no second message.
wait_complete
exit_setup "$pid"

I=$DRIVE_C/Games/Foo
cmp "$M/a.dat" "$I/a.dat" || fail a.dat
cmp "$M/c.dat" "$I/c.dat" || fail c.dat
[ ! -e "$I/b.dat" ] || fail "b.dat was copied"
[ ! -e "$DRIVE_C/windows/b.dat" ] || fail "b.dat reached the Windows folder"
expect_eq $'C:\\Games\\Foo\nC:\\Games\\Foo\\_inst_.log\nC:\\Games\\Foo\\a.dat\nC:\\Games\\Foo\\c.dat\nZarvelLockedTest\nFoo\nC:\\windows\\unfoo.exe' \
  "$(log_lines "$I/_inst_.log")" "the log"
