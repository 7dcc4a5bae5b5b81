# A setup.ini with odd entries (absolute paths, names climbing out of the
# destination, 300-byte names, a DustSubDir of "..", a list of 2,000
# entries) installs to the end without a crash; the entries that can be
# copied are copied where their joined paths lead.
. "$SRC/tests/e2e/install_lib.sh"

M=$WORK/medium
make_medium "$M"
mkdir -p "$M/sub"
echo "climbed" > "$WORK/up.dat"
echo "ok" > "$M/ok.dat"
{
  printf '[UninstallSetting]\nUseUninstaller=1\nUninstallProgramName=unodd.exe\nRegName=ZarvelOddTest\n'
  printf 'ShowName=Odd\nShowUninstallProgramName=Odd\n[Install]\n'
  echo 'C:\abs.dat'
  echo 'sub\..\..\up.dat'
  echo '..\dot.dat'
  printf '%0300d\n' 0
  echo 'ok.dat'
  echo '. DustSubDir = ..'
  echo 'ok.dat'
  for i in $(seq 1 2000); do echo "missing$i.dat"; done
  printf '[StarMenuSet]\n..\\..\\Odd|game.exe\n'
} | write_ini "$M/setup.ini"

pid=$(start_setup "$M")
install_to 'C:\Games\Odd\Foo'
wait_complete 240000
exit_setup "$pid"
cmp "$M/ok.dat" "$DRIVE_C/Games/Odd/Foo/ok.dat" || fail "ok.dat"
# The sub-folder '..' put the second ok.dat beside the install folder.
cmp "$M/ok.dat" "$DRIVE_C/Games/Odd/ok.dat" || fail "ok.dat through DustSubDir .."
cmp "$WORK/up.dat" "$DRIVE_C/Games/Odd/up.dat" || fail "the climbing entry"
log=$(log_lines "$DRIVE_C/Games/Odd/Foo/_inst_.log")
printf '%s\n' "$log" | grep -qx 'C:\\Games\\Odd\\Foo\\sub\\..\\..\\up.dat' || fail "climbing entry not logged as joined"
