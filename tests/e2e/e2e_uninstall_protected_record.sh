# ZARVEL installed from its medium as most people do (into C:\ZARVEL, with
# the start menu and the desktop), on a prefix whose shell folders are
# Wine's own links into the home folder; then its _inst_.log, which any user
# may edit, made to name other people's files: one in the system folder and
# another vendor's DLL there, a font, win.ini, a shortcut in a folder on the
# desktop, another program's group and its shortcut, a document. The
# uninstall, started through the UninstallString as an administrator would,
# keeps every one of them byte for byte - the install record in the
# Uninstall entry does not name them - says it refused them, and removes
# everything ZARVEL made.
. "$SRC/tests/e2e/uninstall_lib.sh"

wine_user_links
desktop=$(shell_folder 0)
programs=$(shell_folder 2)
documents=$(shell_folder 5)
keep_victims 'C:\windows\system32\drivers\etc\hosts' 'C:\windows\win.ini' \
  'C:\windows\system32\vendor_x.dll' 'C:\windows\Fonts\vendor.ttf' \
  "$desktop\\Tools\\Other.lnk" "$programs\\Vendor\\Vendor.lnk" "$documents\\thesis.docx"
# The emptied group and folder of another vendor must stay too.
victim_folders=("$desktop\\Tools" "$programs\\Vendor")
files_before=$(prefix_state)
registry_before=$(registry_state)

install_zarvel '' desktop
[ -e "$(unix_path "$desktop\\ZARVEL.lnk")" ] || fail "no desktop shortcut"
log='C:\ZARVEL\_inst_.log'
edit_log "$log" "${VICTIMS[@]}" "${victim_folders[@]}"

pid=$(start_registered ZARVEL)
zd wait-window --title "$DIALOG_TITLE" >/dev/null
run_to_the_end $((${#VICTIMS[@]} + ${#victim_folders[@]})) >/dev/null
expect_eq 0 "$(zd wait-exit "$pid")" "uninstaller exit code"

victims_kept
for f in "${victim_folders[@]}"; do
  [ -d "$(unix_path "$f")" ] || fail "removed: $f"
done
refused=$(trace_lines | grep -c '	refused 0$')
expect_eq $((${#VICTIMS[@]} + ${#victim_folders[@]})) "$refused" "records refused"
[ ! -e "$DRIVE_C/ZARVEL" ] || fail "C:\\ZARVEL is still there"
[ ! -e "$(unix_path "$programs\\ZARVEL")" ] || fail "the start-menu group is still there"
[ ! -e "$(unix_path "$desktop\\ZARVEL.lnk")" ] || fail "the desktop shortcut is still there"
key_exists "$UNINSTALL_KEY\\ZARVEL" && fail "the Uninstall entry is still there"
expect_state "$files_before" "after the uninstall" ./windows/zarvel_uninstall.exe
expect_registry "$registry_before" "after the uninstall" \
  '^> \[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Session Manager\]\|"PendingFileRenameOperations"='
echo "edited log: ${#VICTIMS[@]} files and ${#victim_folders[@]} folders kept, $refused records refused"
