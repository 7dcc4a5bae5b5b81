# Cancel in the middle of the copy: the program ends at once, and what is on
# the disk is exactly what the log holds - no registry entry, no shortcut.
. "$SRC/tests/e2e/install_lib.sh"

M=$WORK/medium
make_medium "$M"
{
  printf '[init]\nDefaultRegistDesktop=1\n[DeskTopSet]\nFoo|game.exe\n'
  printf '[UninstallSetting]\nUseUninstaller=1\nUninstallProgramName=unfoo.exe\nRegName=ZarvelCancelTest\n'
  printf 'ShowName=Foo\nShowUninstallProgramName=Foo\n[Install]\n'
  for i in $(seq -w 1 400); do
    echo "file $i" > "$M/f$i.dat"
    echo "f$i.dat"
  done
} | write_ini "$M/setup.ini"

pid=$(start_setup "$M")
log=$DRIVE_C/Games/Foo/_inst_.log
# Cancel while the copy runs, the moment ten files are in.
install_cancelled_at 'C:\Games\Foo' "$log" 12
expect_eq 0 "$(zd wait-exit "$pid")" "exit code after cancel"

records=$(log_lines "$log")
n=$(printf '%s\n' "$records" | grep -c 'f[0-9]*\.dat$')
[ "$n" -ge 10 ] && [ "$n" -lt 400 ] || fail "cancel came at $n files of 400"
expect_eq 'C:\Games\Foo' "$(printf '%s\n' "$records" | sed -n 1p)" "record 1"
expect_eq 'C:\Games\Foo\_inst_.log' "$(printf '%s\n' "$records" | sed -n 2p)" "record 2"
# Exactly the logged files are there.
want=$(printf '%s\n' "$records" | sed -n '3,$p' | sed 's/^C:\\Games\\Foo\\//' | sort)
got=$(cd "$DRIVE_C/Games/Foo" && ls | grep -v '^_inst_\.log$' | sort)
expect_eq "$want" "$got" "installed files against the log"
expect_eq '' "$(regget "$UNINSTALL_KEY\\ZarvelCancelTest" DisplayName)" "no registry entry"
desktop=$(probe folder 0)
[ ! -e "$(unixpath "$desktop")/Foo.lnk" ] || fail "a shortcut was made after cancel"
