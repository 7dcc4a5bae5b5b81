# cases: files shortcuts uninstall_link extra_deletions entry uninstaller_record
# Cancel at each step of the finishing sequence (after the files: the
# shortcuts, the uninstall shortcut's record, the extra deletions, the
# Uninstall entry, the uninstaller's record), then uninstall as a user can:
# through the Uninstall entry when there is one, else with the log. Each
# time neither the entry nor any file of the installation is left. One
# test per step ($CASE), side by side; the test without a case installs
# and uninstalls the whole once first and leaves its log's records in
# $SHARED, which tell where each step begins.
. "$SRC/tests/e2e/install_lib.sh"
. "$SRC/tests/e2e/uninstall_lib.sh"

# Enough files that the copy lasts a few seconds: the driver finds the copy
# dialog before the finishing sequence begins.
M=$WORK/medium
make_medium "$M"
files=$(for i in $(seq -w 1 150); do echo "file $i" > "$M/f$i.dat"; echo "f$i.dat"; done)
{ cat; printf '%s\n' "$files"; } <<'INI' | write_ini "$M/setup.ini"
[init]
StartMenuGroup=Foo Group
DefaultRegistStartMenu=1
DefaultRegistDesktop=1
[UninstallSetting]
UseUninstaller=1
UninstallProgramName=zarvel_uninstall.exe
RegName=ZarvelFinishing
ShowName=Foo Uninstall
ShowUninstallProgramName=Foo
SetStartMenuInUninstall=1
[StarMenuSet]
Foo|game.exe
[DeskTopSet]
Foo|game.exe
[AddUninstallDeleteFile]
score.dat
[Install]
game.exe
INI
folder='C:\Games\Foo'
log=$folder\\_inst_.log
key=$UNINSTALL_KEY\\ZarvelFinishing
STATE_ROOTS=("$M")
before=$(prefix_state)

uninstall_and_check() {  # WHAT
  # Before the finishing step writes the entry it holds the install record
  # alone, which no list of programs shows: the log is the way then.
  if [ -n "$(regget "$key" UninstallString)" ]; then
    pid=$(start_registered ZarvelFinishing)
  elif [ -f "$(unix_path "$log")" ]; then
    pid=$(start_uninstall "$log")
  else
    fail "$1: neither an Uninstall entry nor a log to uninstall with"
  fi
  zd wait-window --title "$DIALOG_TITLE" >/dev/null
  run_to_the_end >/dev/null
  expect_eq 0 "$(zd wait-exit "$pid")" "$1: uninstaller exit code"
  key_exists "$key" && fail "$1: the Uninstall entry is left"
  # The uninstaller copy waits for the next restart, or stays when the log
  # never came to name it, as after any cancel.
  expect_state "$before" "$1" ./windows/zarvel_uninstall.exe
}

if [ -z "$CASE" ]; then
  # The whole installation once: where each finishing step's records lie.
  pid=$(start_setup "$M")
  install_to "$folder"
  wait_complete
  exit_setup "$pid"
  log_lines "$(unix_path "$log")" > "$SHARED/records"
  uninstall_and_check "a whole installation"
  exit 0
fi
mapfile -t records < "$SHARED/records"
at() {  # the number of the first record the pattern matches
  local i
  for i in "${!records[@]}"; do
    if grep -qE -- "$1" <<<"${records[$i]}"; then echo $((i + 1)); return 0; fi
  done
  fail "no record like $1 in: ${records[*]}"
}

# Cancel the moment the log holds N records: the press comes before the
# next step's timer.
cancel_at() {  # N WHAT
  local n
  pid=$(start_setup "$M")
  install_cancelled_at "$folder" "$(unix_path "$log")" "$1"
  expect_eq 0 "$(zd wait-exit "$pid")" "$2: setup.exe exit code"
  n=$(log_lines "$(unix_path "$log")" | wc -l)
  echo "$2: cancelled with $n of ${#records[@]} records, entry: $([ -n "$(regget "$key" UninstallString)" ] && echo yes || echo no)"
  uninstall_and_check "$2"
}
link=$(at '\\Foo Uninstall\.lnk$')
entry=$(at '^ZarvelFinishing$')
case $CASE in
  files) cancel_at "$(at '\\f150\.dat$')" "after the files" ;;
  shortcuts) cancel_at $((link - 1)) "after the shortcuts" ;;
  uninstall_link) cancel_at "$link" "after the uninstall shortcut's record" ;;
  extra_deletions) cancel_at "$(at '\\score\.dat$')" "after the extra deletions" ;;
  entry) cancel_at $((entry + 1)) "after the Uninstall entry" ;;
  uninstaller_record) cancel_at "$(at '\\zarvel_uninstall\.exe$')" "after the uninstaller's record" ;;
  *) fail "no such case: $CASE" ;;
esac
