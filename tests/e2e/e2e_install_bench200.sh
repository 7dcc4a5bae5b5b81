# The copy phase of a 200-file medium under Wine, timed from the start
# button to "installation complete" (printed, not asserted beyond success).
. "$SRC/tests/e2e/install_lib.sh"

M=$WORK/medium
make_medium "$M"
{
  printf '[UninstallSetting]\nUseUninstaller=1\nUninstallProgramName=unbench.exe\nRegName=ZarvelBench\n'
  printf 'ShowName=Bench\nShowUninstallProgramName=Bench\n[Install]\n. CopyMode = OverWrite\n'
  for i in $(seq -w 1 200); do
    head -c 16384 /dev/urandom > "$M/f$i.dat"
    echo "f$i.dat"
  done
} | write_ini "$M/setup.ini"

pid=$(start_setup "$M")
start=$(date +%s%N)
install_to 'C:\Games\Bench'
wait_complete 120000
end=$(date +%s%N)
exit_setup "$pid"
n=$(ls "$DRIVE_C/Games/Bench" | grep -c '^f.*\.dat$')
expect_eq 200 "$n" "files installed"
ms=$(( (end - start) / 1000000 ))
echo "BENCH copy phase, 200 files of 16 KiB under Wine: $ms ms in all, $(( ms * 1000 / 200 )) us per file (each step waits for a 10 ms timer)"
