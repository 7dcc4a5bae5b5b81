# A Wine user's prefix as Wine makes it: Desktop, Documents, Downloads...
# are symbolic links into the Linux home. ZARVEL installed from its medium
# with the desktop box ticked, then removed through Wine's own list of
# programs (uninstaller --remove, which runs the UninstallString): nothing
# ZARVEL made is left, the desktop shortcut behind the Desktop link
# included, and nothing else changed.
. "$SRC/tests/e2e/uninstall_lib.sh"

wine_user_links
files_before=$(prefix_state)
registry_before=$(registry_state)

install_zarvel '' desktop
desktop="$HOME/Desktop"
[ -f "$desktop/ZARVEL.lnk" ] || fail "the desktop shortcut is not behind the Desktop link"

pid=$(export ZARVEL_UNINSTALL_TRACE="$TRACE"; zd start --line 'uninstaller --remove ZARVEL')
zd wait-window --timeout 30000 --title "$DIALOG_TITLE" >/dev/null || fail "Wine's uninstaller started no uninstall"
run_to_the_end >/dev/null
expect_eq 0 "$(zd wait-exit --timeout 30000 "$pid")" "Wine's uninstaller exit code"

[ ! -e "$desktop/ZARVEL.lnk" ] || fail "the desktop shortcut is still there"
[ ! -e "$DRIVE_C/ZARVEL" ] || fail "C:\\ZARVEL is still there"
trace_lines | grep -q 'refused' && fail "records refused: $(trace_lines | grep refused)"
key_exists "$UNINSTALL_KEY\\ZARVEL" && fail "the Uninstall entry is still there"
expect_state "$files_before" "after Wine's uninstaller" ./windows/zarvel_uninstall.exe
expect_registry "$registry_before" "after Wine's uninstaller" \
  '^> \[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Session Manager\]\|"PendingFileRenameOperations"='
echo "removed through Wine's list of programs: nothing left behind the links"
