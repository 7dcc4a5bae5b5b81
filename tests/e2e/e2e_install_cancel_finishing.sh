# Cancel at each step of the finishing sequence (after the files: the
# shortcuts, the uninstall shortcut's record, the extra deletions, the
# Uninstall entry, the uninstaller's record), then uninstall as a user can:
# through the Uninstall entry when there is one, else with the log. Each
# time neither the entry nor any file of the installation is left.
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
  if key_exists "$key"; then
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

# The whole installation once: where each finishing step's records lie.
pid=$(start_setup "$M")
install_to "$folder"
wait_complete
exit_setup "$pid"
mapfile -t records < <(log_lines "$(unix_path "$log")")
at() {  # the number of the first record the pattern matches
  local i
  for i in "${!records[@]}"; do
    if grep -qE -- "$1" <<<"${records[$i]}"; then echo $((i + 1)); return 0; fi
  done
  fail "no record like $1 in: ${records[*]}"
}
last_file=$(at '\\f150\.dat$')
uninstall_link=$(at '\\Foo Uninstall\.lnk$')
extra=$(at '\\score\.dat$')
reg_name=$(at '^ZarvelFinishing$')
uninstaller=$(at '\\zarvel_uninstall\.exe$')
uninstall_and_check "a whole installation"

# Cancel the moment the log holds N records: the press comes before the
# next step's timer.
cancel_at() {  # N WHAT
  pid=$(start_setup "$M")
  install_to "$folder"
  zd click-when --timeout 60000 --file "$(winpath "$(unix_path "$log")")" --lines "$1" \
    "${COPYING_DLG[@]}" 2 >/dev/null || fail "$2: no cancel"
  expect_eq 0 "$(zd wait-exit --timeout 20000 "$pid")" "$2: setup.exe exit code"
  local n
  n=$(log_lines "$(unix_path "$log")" | wc -l)
  echo "$2: cancelled with $n of ${#records[@]} records, entry: $(key_exists "$key" && echo yes || echo no)"
  uninstall_and_check "$2"
}
cancel_at "$last_file" "after the files"
cancel_at $((uninstall_link - 1)) "after the shortcuts"
cancel_at "$uninstall_link" "after the uninstall shortcut's record"
cancel_at "$extra" "after the extra deletions"
cancel_at $((reg_name + 1)) "after the Uninstall entry"
cancel_at "$uninstaller" "after the uninstaller's record"
