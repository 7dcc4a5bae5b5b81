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

# Files (following the shell folders' links) and registry keys with values.
list_files() { (cd "$DRIVE_C" && find -L . -mindepth 1 2>/dev/null | grep -v -i -e '^\./windows/temp' -e '/AppData/Local/Temp' | sort); }
# Wine keeps its own hardware and display state in HKLM\System, HKLM\Hardware
# and HKCU\Software\Wine and updates it as windows come and go: left out.
list_registry() {
  local hive
  for hive in HKLM HKCU; do
    timeout 120 "$WINELOADER" reg export "$hive" "$WORK/$hive.reg" /y >/dev/null 2>&1 ||
      fail "reg export $hive"
    iconv -f UTF-16LE -t UTF-8 "$WORK/$hive.reg" | tr -d '\r' | grep -v '^$' | awk '
      /^\[/ { key = tolower($0) }
      index(key, "[hkey_local_machine\\system") == 1 { next }
      index(key, "[hkey_local_machine\\hardware") == 1 { next }
      index(key, "[hkey_current_user\\software\\wine") == 1 { next }
      { print }'
  done
}
list_files > "$WORK/files.before"
list_registry > "$WORK/registry.before"

pid=$(start_setup "$M")
install_to 'C:\Games\Trace\Foo'
wait_complete
exit_setup "$pid"

list_files > "$WORK/files.after"
list_registry > "$WORK/registry.after"

# Every logged path, as a path inside drive C (the last three records are
# the key name, the name to show and the uninstaller).
log=$(log_lines "$DRIVE_C/Games/Trace/Foo/_inst_.log")
n=$(printf '%s\n' "$log" | wc -l)
{
  printf '%s\n' "$log" | head -n $((n - 3))
  printf '%s\n' "$log" | tail -n 1           # the uninstaller copy
  echo 'C:\Games' ; echo 'C:\Games\Trace'    # parents the install folder needed
} | sed 's/^[Cc]://; s/\\/\//g; s/^/./' | sort > "$WORK/files.expected"
comm -13 "$WORK/files.before" "$WORK/files.after" > "$WORK/files.added"
comm -23 "$WORK/files.before" "$WORK/files.after" > "$WORK/files.removed"
# Case as Windows spells it may differ from the log's: compare without case.
diff <(tr 'A-Z' 'a-z' < "$WORK/files.expected" | sort) <(tr 'A-Z' 'a-z' < "$WORK/files.added" | sort) >&2 ||
  fail "files added differ from the log (< log only, > disk only)"
[ ! -s "$WORK/files.removed" ] || { cat "$WORK/files.removed" >&2; fail "files disappeared"; }

diff "$WORK/registry.before" "$WORK/registry.after" | grep '^[<>]' > "$WORK/registry.diff" || true
cat > "$WORK/registry.expected" <<'REG'
> [HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZarvelTraceTest]
> "DisplayIcon"="C:\\windows\\untrace.exe,1"
> "DisplayName"="Uninstall Trace"
> "InstallLocation"="C:\\Games\\Trace\\Foo"
> "NoModify"=dword:00000001
> "NoRepair"=dword:00000001
> "UninstallString"="C:\\windows\\untrace.exe -u C:\\Games\\Trace\\Foo\\_inst_.log"
REG
diff "$WORK/registry.expected" "$WORK/registry.diff" >&2 ||
  fail "registry changes differ from the Uninstall key (< expected, > found)"
