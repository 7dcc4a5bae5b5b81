# ZARVEL's own medium installed into C:\ゲーム\表ソフト\ZARVEL, whose 表 and
# ソ end in the byte of "\", with a start-menu shortcut whose ポ ends in the
# byte of "|"; the game started through that shortcut and played to its
# farewell; then uninstalled through the registry's UninstallString.
# Everything the installation made is gone, and nothing else on drive C, in
# the medium or in the registry changed.
. "$SRC/tests/e2e/uninstall_lib.sh"
. "$SRC/tests/e2e/tzk_lib.sh"

need_medium
medium=$WORK/medium
cp -r "$BUILD/medium" "$medium"
shortcut='ZARVEL ポータブル'
iconv -f CP932 -t UTF-8 "$medium/setup.ini" |
  sed "s/^ZARVEL|tzk\.exe\r\$/$shortcut|tzk.exe\r/" |
  iconv -f UTF-8 -t CP932 > "$WORK/setup.ini"
mv "$WORK/setup.ini" "$medium/setup.ini"
iconv -f CP932 -t UTF-8 "$medium/setup.ini" | grep -q "^$shortcut|tzk.exe" || fail "the medium's shortcut was not renamed"
folder='C:\ゲーム\表ソフト\ZARVEL'

# --- install ---------------------------------------------------------------
INSTALL_DLG=("${MEDIUM_INSTALL_DLG[@]}")
DONE_DLG=("${MEDIUM_DONE_DLG[@]}")
start_medium "$medium"
zd set-text "${INSTALL_DLG[@]}" 1003 "$folder" >/dev/null
zd click "${INSTALL_DLG[@]}" 1 >/dev/null
finish_setup "$setup_pid" "${DONE_DLG[@]}"
expect_eq "$UNINSTALLER -u $folder\\_inst_.log" "$(regget "$UNINSTALL_KEY\\ZARVEL" UninstallString)" "UninstallString"
group="$(probe folder 2)\\ZARVEL"
for f in "$folder\\tzk.exe" "$folder\\_inst_.log" "$group\\$shortcut.lnk"; do
  [ -e "$(unix_path "$f")" ] || fail "not installed: $f"
done

# --- play ------------------------------------------------------------------
link=$(probe lnk "$group\\$shortcut.lnk")
expect_eq "$folder\\tzk.exe" "$(sed -n 's/^target=//p' <<<"$link")" "the shortcut's target"
expect_eq "$folder" "$(sed -n 's/^workdir=//p' <<<"$link")" "the shortcut's working folder"
game_pid=$(zd start --cwd "$folder" "$folder\\tzk.exe")
tzk_wait_window
zd keys --class tzk Z sleep:1500 >/dev/null
tzk_quit "$game_pid" >/dev/null

# --- uninstall ---------------------------------------------------------------
pid=$(start_registered ZARVEL)
zd wait-window --title "$DIALOG_TITLE" >/dev/null
run_to_the_end >/dev/null
expect_eq 0 "$(zd wait-exit "$pid")" "uninstaller exit code"
expect_uninstalled "$files_before" "$registry_before" "after uninstalling"
echo "installed into $folder and uninstalled: nothing left"
