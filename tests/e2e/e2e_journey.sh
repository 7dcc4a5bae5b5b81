# The whole journey, as a person makes it: install ZARVEL from its medium
# with the start-menu and desktop boxes ticked, start the game through its
# start-menu shortcut, play a few seconds and quit, then uninstall through
# the registry's UninstallString. Afterwards nothing the installation made is
# left - files, folders, shortcuts, the registry entry - except the
# uninstaller, whose deletion waits for the next restart; the prefix's files
# and registry equal those before the installation apart from that.
. "$SRC/tests/e2e/uninstall_lib.sh"

PROBE=$BUILD/install_probe.exe
[ -f "$PROBE" ] || fail "no install_probe.exe in $BUILD"
probe() { timeout 60 "$WINELOADER" "$PROBE" "$@" | tr -d '\r'; }

# The medium is made afresh from this tree's programs and data, so a stale
# one never stands in for them.
medium=$BUILD/medium
"$SRC/tools/make_medium.sh" win64 "$BUILD" >/dev/null || fail "no medium (see make_medium.sh's message)"

# Wine's own writes while programs run, which are no part of the journey
# (the audio endpoints, for one, are registered when the game first opens
# DirectSound).
noise='/(Temp|INetCache|Explorer/|Recent)/|^\./windows/(Installer|Temp|Logs)/'
files_now() { list_files | grep -Ev "$noise" || true; }
registry_now() {  # HKLM and HKCU as text, one "key|value" line per value
  local hive
  for hive in HKEY_LOCAL_MACHINE HKEY_CURRENT_USER; do
    timeout 120 "$WINELOADER" regedit /E "$(winpath "$WORK/$hive.reg")" "$hive" >/dev/null 2>&1
    iconv -f UTF-16LE -t UTF-8 "$WORK/$hive.reg" | tr -d '\r' | awk '
      /^\[/ { key = $0; print key; next }
      /^"/ { print key "|" $0 }'
  done | grep -Ev 'CurrentVersion\\MMDevices|Drivers\\winealsa\.drv|Temporary System Parameters|DriverDateData|CurrentControlSet\\Control\\Video\\|MuiCache|\\Explorer\\|Wine\\(Fonts|X11 Driver)|SessionInfo|Windows NT\\CurrentVersion\\Perflib' | LC_ALL=C sort
}
files_before=$(files_now)
registry_before=$(registry_now)

# --- install ---------------------------------------------------------------
INSTALL_DLG=(--class '#32770' --title 'ZARVEL セットアップ')
DONE_DLG=(--class '#32770' --title 'セットアップ プログラム')
setup_pid=$(zd start --cwd "$(winpath "$medium")" "$(winpath "$medium/setup.exe")")
zd wait-window --timeout 30000 "${INSTALL_DLG[@]}" >/dev/null
sleep 1  # let the dialog's controls paint before the picture
shot install_dialog.png
expect_eq 'C:\ZARVEL' "$(zd text "${INSTALL_DLG[@]}" 1003)" "install folder"
expect_eq 'checked=1 enabled=1 visible=1' "$(zd state "${INSTALL_DLG[@]}" 1011)" "start-menu box"
expect_eq 'checked=0 enabled=1 visible=1' "$(zd state "${INSTALL_DLG[@]}" 1026)" "desktop box"
zd click "${INSTALL_DLG[@]}" 1026 >/dev/null
expect_eq 'checked=1 enabled=1 visible=1' "$(zd state "${INSTALL_DLG[@]}" 1026)" "desktop box ticked"
zd click "${INSTALL_DLG[@]}" 1 >/dev/null
for _ in $(seq 1 120); do
  state=$(zd state "${DONE_DLG[@]}" 1020 2>/dev/null || true)
  case "$state" in *visible=1*) break ;; esac
  sleep 0.5
done
case "$state" in *visible=1*) ;; *) fail "the installation did not complete" ;; esac
zd click "${DONE_DLG[@]}" 2 >/dev/null
expect_eq 0 "$(zd wait-exit --timeout 20000 "$setup_pid")" "setup.exe exit code"

command=$(regget "$UNINSTALL_KEY\\ZARVEL" UninstallString)
expect_eq "$UNINSTALLER -u C:\\ZARVEL\\_inst_.log" "$command" "UninstallString"
group="$(probe folder 2)\\ZARVEL"
desktop=$(probe folder 0)
for f in "$group\\ZARVEL.lnk" "$group\\はじめにお読みください.lnk" "$group\\ZARVEL アンインストール.lnk" \
         "$desktop\\ZARVEL.lnk" 'C:\ZARVEL\tzk.exe' 'C:\ZARVEL\_inst_.log' "$UNINSTALLER"; do
  [ -e "$(unix_path "$f")" ] || fail "not installed: $f"
done

# --- play ------------------------------------------------------------------
link=$(probe lnk "$group\\ZARVEL.lnk")
target=$(sed -n 's/^target=//p' <<<"$link")
workdir=$(sed -n 's/^workdir=//p' <<<"$link")
expect_eq 'C:\ZARVEL\tzk.exe' "$target" "the shortcut's target"
expect_eq 'C:\ZARVEL' "$workdir" "the shortcut's working folder"
game_pid=$(zd start --cwd "$workdir" "$target")
zd wait-window --timeout 30000 --class tzk >/dev/null
sleep 2
zd keys --class tzk Z sleep:1500 down:Z sleep:3000 up:Z sleep:500 >/dev/null
shot playing.png
zd keys --class tzk ESC >/dev/null
zd wait-window --class '#32770' --title ZARVEL >/dev/null
zd click --class '#32770' --title ZARVEL 6 >/dev/null   # Yes
zd wait-window --timeout 20000 --class '#32770' >/dev/null   # the farewell box
zd keys --class '#32770' ENTER >/dev/null
expect_eq 0 "$(zd wait-exit --timeout 30000 "$game_pid")" "tzk.exe exit code"
[ -f "$DRIVE_C/ZARVEL/score.dat" ] || fail "no score.dat in the install folder"

# --- uninstall, as Windows runs the UninstallString ------------------------
read -r program arguments <<<"$command"
# shellcheck disable=SC2086  # Windows splits the rest of the command line too
uninstall_pid=$(export ZARVEL_UNINSTALL_TRACE="$TRACE"; zd start "$program" $arguments)
zd wait-window --title "$DIALOG_TITLE" >/dev/null
expect_eq 'ZARVEL' "$(zd text --title "$DIALOG_TITLE" 1022)" "name shown"
run_to_the_end >/dev/null
expect_eq 0 "$(zd wait-exit "$uninstall_pid")" "uninstaller exit code"
expect_eq 100 "$(trace_lines | grep -v '^key\|^reboot' | tail -n 1 | cut -f1)" "the bar at the end"
trace_lines | grep -q 'score.dat	file' || fail "score.dat was not deleted"

# --- nothing left ------------------------------------------------------------
[ ! -e "$DRIVE_C/ZARVEL" ] || fail "C:\\ZARVEL is still there: $(cd "$DRIVE_C" && find ZARVEL)"
[ ! -e "$(unix_path "$group")" ] || fail "the start-menu group is still there"
[ ! -e "$(unix_path "$desktop\\ZARVEL.lnk")" ] || fail "the desktop shortcut is still there"
key_exists "$UNINSTALL_KEY\\ZARVEL" && fail "the Uninstall entry is still there"
pending_renames | grep -qi 'windows\\zarvel_uninstall.exe' || fail "uninstaller not pending: $(pending_renames)"
expect_eq "$(printf '%s\n' "$files_before" ./windows/zarvel_uninstall.exe | LC_ALL=C sort)" \
  "$(files_now)" "the prefix's files"
diff <(printf '%s\n' "$registry_before") <(registry_now) > "$WORK/registry.diff" || true
unexpected=$(grep '^[<>]' "$WORK/registry.diff" | grep -v 'Session Manager\]|"PendingFileRenameOperations"' || true)
[ -z "$unexpected" ] || fail "the registry differs: $unexpected"
echo "journey done; registry differs only by: $(grep -c '^[<>]' "$WORK/registry.diff") line(s)"
