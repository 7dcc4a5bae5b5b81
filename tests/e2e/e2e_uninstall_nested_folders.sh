# A logged folder whose parents hold nothing else after its removal: the
# folders are climbed innermost first and removed, up to but never the drive
# root; a folder that still holds something stops the climb.
. "$SRC/tests/e2e/uninstall_lib.sh"

install_uninstaller
log='C:\Games\Foo\_inst_.log'
# data\a\b was made as a parent of the logged folder c, never logged itself.
mkdir -p "$DRIVE_C/Games/Foo/data/a/b/c" "$DRIVE_C/Keep/empty"
make_files 'C:\Games\Foo\data\a\b\c\x.dat' 'C:\Keep\keep.txt'
write_log "$log" 'C:\Games\Foo' "$log" 'C:\Games\Foo\data\a\b\c' 'C:\Games\Foo\data\a\b\c\x.dat' \
  Foo Foo "$UNINSTALLER"
register_entry Foo "$log"

pid=$(start_uninstall "$log")
zd wait-window --title "$DIALOG_TITLE" >/dev/null
run_to_the_end >/dev/null
expect_eq 0 "$(zd wait-exit "$pid")" "exit code"
expect_eq "25	C:\\Games\\Foo\\data\\a\\b\\c\\x.dat	file 0
50	C:\\Games\\Foo\\data\\a\\b\\c	folders 4
75	C:\\Games\\Foo\\_inst_.log	file 0
100	C:\\Games\\Foo	folders 2" "$(trace_lines | sed -n 1,4p)" "c, b, a, data; Foo held the log till last, then Foo and Games"
[ ! -e "$DRIVE_C/Games" ] || fail "C:\\Games is still there"
[ -d "$DRIVE_C/Keep/empty" ] && [ -f "$DRIVE_C/Keep/keep.txt" ] || fail "C:\\Keep was touched"
[ -d "$DRIVE_C/windows" ] || fail "the Windows folder"
