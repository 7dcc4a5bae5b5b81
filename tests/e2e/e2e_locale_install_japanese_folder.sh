# lang: C.UTF-8
# On a Western system (code page 1252) ZARVEL's own medium shows its install
# dialog in Japanese and installs into C:\ゲーム\ZARVEL: the files and the
# start menu's shortcuts named right on disk, the shortcut's target, the
# Uninstall entry's DisplayName "ZARVEL アンインストール", each read back as
# Unicode; a folder 932 cannot hold is refused first. Uninstalled through its
# UninstallString, it leaves nothing behind.
. "$SRC/tests/e2e/uninstall_lib.sh"

need_medium
medium=$WORK/medium
cp -r "$BUILD/medium" "$medium"
folder='C:\ゲーム\ZARVEL'
key="$UNINSTALL_KEY\\ZARVEL"

# --- install ---------------------------------------------------------------
INSTALL_DLG=("${MEDIUM_INSTALL_DLG[@]}")
DONE_DLG=("${MEDIUM_DONE_DLG[@]}")
start_medium "$medium"
expect_eq 'インストール開始(&I)' "$(zd text "${INSTALL_DLG[@]}" 1)" "the start button"
expect_eq 'スタートメニューに登録する' "$(zd text "${INSTALL_DLG[@]}" 1011)" "a check box"
expect_eq '「ZARVEL」をインストールします。' "$(zd text "${INSTALL_DLG[@]}" 1006)" "msgB of setup.ini"
shot "$WORK/install_dialog.png"
zd set-text "${INSTALL_DLG[@]}" 1003 'C:\게임\ZARVEL' >/dev/null
zd click "${INSTALL_DLG[@]}" 1 >/dev/null
refused=$(zd wait-window "${DONE_DLG[@]}") || fail "a Korean folder was not refused"
zd text --hwnd "$refused" 65535 | grep -q '扱えない文字' || fail "refusal: $(zd text --hwnd "$refused" 65535)"
zd click --hwnd "$refused" 1 >/dev/null
zd wait-gone --hwnd "$refused" >/dev/null
zd set-text "${INSTALL_DLG[@]}" 1003 "$folder" >/dev/null
zd click "${INSTALL_DLG[@]}" 1 >/dev/null
finish_setup "$setup_pid" "${DONE_DLG[@]}"

expect_eq "ZARVEL アンインストール" "$(regget "$key" DisplayName)" "DisplayName"
command=$(regget "$key" UninstallString)
expect_eq "$UNINSTALLER -u $folder\\_inst_.log" "$command" "UninstallString"
group="$(probe folder 2)\\ZARVEL"
for f in "$folder\\tzk.exe" "$folder\\readme.txt" "$folder\\_inst_.log" \
         "$group\\ZARVEL.lnk" "$group\\はじめにお読みください.lnk" "$group\\ZARVEL アンインストール.lnk"; do
  [ -f "$(unix_path "$f")" ] || fail "not on disk: $f"
done
# Wine keeps a link's path in the system's code page only (Windows adds it
# in Unicode), so that one reads C:\???\ here; the link's item list names
# the file.
expect_eq "$folder\\readme.txt" \
  "$(probe lnk-items "$group\\はじめにお読みください.lnk" | sed -n 's/^items=//p')" "the shortcut's target"
# The log in Shift-JIS, as the uninstaller reads it.
expect_eq "$folder" "$(head -n 1 "$(unix_path "$folder\\_inst_.log")" | tr -d '\r' | iconv -f CP932 -t UTF-8)" \
  "the log's first record"

# --- uninstall ---------------------------------------------------------------
pid=$(start_command_line "$command")
expect_eq 'ZARVEL' "$(zd text --title "$DIALOG_TITLE" 1022)" "the uninstall dialog's name"
run_to_the_end >/dev/null
expect_eq 0 "$(zd wait-exit "$pid")" "uninstaller exit code"
expect_uninstalled "$files_before" "$registry_before" "after uninstalling"
echo "installed into $folder on a Western system and uninstalled: nothing left"
