# Nothing is made outside the log: the prefix's files and registry listed
# before and after an installation differ by exactly the logged items, the
# parent folder the install folder needed, the uninstaller copy and the
# Uninstall key.
. "$SRC/tests/e2e/install_lib.sh"

M=$WORK/medium
make_medium "$M"
mkdir -p "$M/data"
echo "stage" > "$M/data/s1.dat"
echo "dll" > "$M/ztrace.dll"
write_ini "$M/setup.ini" <<'INI'
[init]
StartMenuGroup=Trace Group
DefaultRegistStartMenu=1
DefaultRegistDesktop=1
[UninstallSetting]
UseUninstaller=1
UninstallProgramName=untrace.exe
RegName=ZarvelTraceTest
ShowName=Uninstall Trace
ShowUninstallProgramName=Trace
SetStartMenuInUninstall=1
[Install]
game.exe
. DustSubDir = data
. SrcSubDir = data
s1.dat
[InstallWindows]
. DustSubDir =
. SrcSubDir =
ztrace.dll
[StarMenuSet]
Trace|game.exe
[DeskTopSet]
Trace|game.exe
INI

STATE_ROOTS=("$M")
files_before=$(prefix_state)
registry_before=$(registry_state)

pid=$(start_setup "$M")
install_to 'C:\Games\Trace\Foo'
wait_complete
exit_setup "$pid"

# Every logged path, as a path inside drive C (the last three records are
# the key name, the name to show and the uninstaller).
log=$(log_lines "$DRIVE_C/Games/Trace/Foo/_inst_.log")
n=$(printf '%s\n' "$log" | wc -l)
{
  printf '%s\n' "$log" | head -n $((n - 3))
  printf '%s\n' "$log" | tail -n 1           # the uninstaller copy
  echo 'C:\Games' ; echo 'C:\Games\Trace'    # parents the install folder needed
} | sed 's/^[Cc]://; s/\\/\//g; s/^/./' | sort > "$WORK/files.expected"
diff <(printf '%s\n' "$files_before") <(prefix_state) | grep '^[<>]' > "$WORK/files.diff" || true
# Nothing that was there changed: every difference is an addition.
if grep '^<' "$WORK/files.diff" >&2; then fail "files changed or disappeared"; fi
# Case as Windows spells it may differ from the log's: compare without case.
diff <(tr 'A-Z' 'a-z' < "$WORK/files.expected" | sort) \
     <(sed 's/^> //' "$WORK/files.diff" | cut -f1 | tr 'A-Z' 'a-z' | sort) >&2 ||
  fail "files added differ from the log (< log only, > disk only)"

# The install record: the log's bytes, as reg.exe shows a binary value (its
# continued lines joined, their indent dropped).
diff <(printf '%s\n' "$registry_before") <(registry_state) | grep '^[<>]' |
  sed '/|"InstallRecord"=/ s/ //g; s/^>\[/> [/' > "$WORK/registry.diff" || true
record=$(od -An -v -tx1 "$DRIVE_C/Games/Trace/Foo/_inst_.log" | tr -s ' \n' ',' | sed 's/^,//; s/,$//')
key='[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZarvelTraceTest]'
K=$key awk '{ print "> " ENVIRON["K"] $0 }' > "$WORK/registry.expected" <<REG

|"DisplayIcon"="C:\\\\windows\\\\untrace.exe,1"
|"DisplayName"="Uninstall Trace"
|"InstallLocation"="C:\\\\Games\\\\Trace\\\\Foo"
|"InstallRecord"=hex:$record
|"NoModify"=dword:00000001
|"NoRepair"=dword:00000001
|"UninstallString"="C:\\\\windows\\\\untrace.exe -u C:\\\\Games\\\\Trace\\\\Foo\\\\_inst_.log"
REG
diff "$WORK/registry.expected" "$WORK/registry.diff" >&2 ||
  fail "registry changes differ from the Uninstall key (< expected, > found)"
