# ZARVEL installed from its medium straight into C:\ (held as 'C:'), its log
# then edited to name a document of the user's and another vendor's program
# under Program Files. After the uninstall both are still there, byte for
# byte, everything ZARVEL installed is gone and nothing above it was
# removed. Then the same with an installation straight into Downloads,
# reached through its 8.3 name (a known folder the old CSIDLs do not name):
# Downloads stays.
. "$SRC/tests/e2e/uninstall_lib.sh"

PROBE=$BUILD/install_probe.exe
[ -f "$PROBE" ] || fail "no install_probe.exe in $BUILD"
probe() { timeout 60 "$WINELOADER" "$PROBE" "$@" | tr -d '\r'; }

keep_victims "$(shell_folder 5)\\thesis.docx" 'C:\Program Files\Vendor\vendor.exe'
files_before=$(prefix_state)

# uninstall_edited FOLDER LONG WHAT: the installation in FOLDER (LONG: the
# same in its long form, for the files here), its log edited, uninstalled.
uninstall_edited() {
  local log=$1\\_inst_.log pid
  [ "$1" != 'C:' ] || log='C:\_inst_.log'
  [ -f "$(unix_path "$2\\_inst_.log")" ] || fail "$3: no log in $2"
  expect_eq "$UNINSTALLER -u $log" "$(regget "$UNINSTALL_KEY\\ZARVEL" UninstallString)" "$3: UninstallString"
  edit_log "$2\\_inst_.log" "${VICTIMS[@]}" 'C:\Program Files\Vendor'
  pid=$(start_registered ZARVEL)
  zd wait-window --title "$DIALOG_TITLE" >/dev/null
  run_to_the_end 3 >/dev/null
  expect_eq 0 "$(zd wait-exit "$pid")" "$3: uninstaller exit code"
  victims_kept
  key_exists "$UNINSTALL_KEY\\ZARVEL" && fail "$3: the Uninstall entry is still there"
  expect_state "$files_before" "$3" ./windows/zarvel_uninstall.exe
  echo "$3: the edited lines kept their files; ZARVEL is gone, nothing else changed"
}

install_zarvel 'C:\'
[ -f "$DRIVE_C/tzk.exe" ] || fail "tzk.exe is not in C:\\"
uninstall_edited 'C:' 'C:' "installed into C:\\"

downloads=$(probe short "$(winpath "$WINPROFILE/Downloads")")
case "$downloads" in *'~'*) ;; *) fail "Downloads has no 8.3 name here: $downloads" ;; esac
install_zarvel "$downloads"
[ -f "$WINPROFILE/Downloads/tzk.exe" ] || fail "tzk.exe is not in Downloads"
uninstall_edited "$downloads" "$(winpath "$WINPROFILE/Downloads")" "installed into $downloads"
[ -d "$WINPROFILE/Downloads" ] || fail "Downloads went"
