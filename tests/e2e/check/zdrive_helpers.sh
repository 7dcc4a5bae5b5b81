# desktop: 800x600
. "$SRC/tests/e2e/check/zdrive_lib.sh"

# lib.sh's own helpers.
unix_c=$DRIVE_C
while IFS='|' read -r unix want; do
  expect_eq "$want" "$(winpath "$unix")" "winpath $unix"
done <<TABLE
$DRIVE_C|C:\\
$DRIVE_C/Program Files/ZARVEL|C:\\Program Files\\ZARVEL
$DRIVE_C/a/../b|C:\\b
$DRIVE_C-not|Z:${unix_c//\//\\}-not
/opt/game x|Z:\\opt\\game x
TABLE
expect_eq "800x600" "$(regget 'HKCU\Software\Wine\Explorer\Desktops' zarvel)" "regget string"
expect_eq "0x0" "$(regget 'HKCU\Software\Wine\WineDbg' ShowCrashDialog)" "regget number"
expect_eq "" "$(regget 'HKCU\Software\Wine\WineDbg' NoSuchValue)" "regget absent value"
expect_eq "" "$(regget 'HKCU\Software\NoSuchKey' X)" "regget absent key"
expect_eq absent "$(zd reg-key 'HKCU\Software\NoSuchKey\Deeper')" "absent below absent"
expect_eq present "$(zd reg-key 'HKCU\Software\Wine\')" "present, a trailing backslash"
# registry_state reads the tree Wine's server saves: each kind of value, and
# the names and strings the server escapes, come out as reg export writes
# them, regedit's own reading of them the yardstick.
hex16() { printf '%s' "$1" | iconv -t UTF-16LE | od -An -v -tx1 | tr -s ' \n' ',' | sed 's/^,//'; }
key='[HKEY_CURRENT_USER\Software\ZarvelDump\キー 1]'
values=$(sed -e "s/@EXPAND@/$(hex16 '%SystemRoot%\zarvel')/" \
  -e "s/@MULTI@/$(hex16 one)00,00,$(hex16 beta)/" -e "s/@BINARY@/$(printf '%02x,' $(seq 10 69))/" <<'VALUES'
@="the default"
"text"="a \"quoted\" \\ back\\slash	tab"
"日本語"="ゲーム"
"expand"=hex(2):@EXPAND@00,00
"multi"=hex(7):@MULTI@00,00,00,00
"dword"=dword:12345678
"qword"=hex(b):ef,cd,ab,89,67,45,23,01
"binary"=hex:@BINARY@ff
VALUES
)
want=$(while IFS= read -r value; do printf '%s|%s\n' "$key" "$value"; done <<<"$values")
printf 'Windows Registry Editor Version 5.00\r\n\r\n%s\r\n%s\r\n' "$key" "${values//$'\n'/$'\r\n'}" |
  iconv -t UTF-16 >"$WORK/values.reg"
timeout 60 "$WINELOADER" regedit /S "$(winpath "$WORK/values.reg")" || fail "regedit /S"
expect_eq "$(printf '%s\n' '[HKEY_CURRENT_USER\Software\ZarvelDump]' "$key" "$want" | LC_ALL=C sort)" \
  "$(registry_state | grep -F '[HKEY_CURRENT_USER\Software\ZarvelDump')" "registry_state of each kind of value"
# A zdrive that fails is never read as "absent".
broken_zd() { ( ZD_APART=1 WINELOADER=/bin/false "$@" ); }
exit_code 1 broken_zd regget 'HKCU\Software\NoSuchKey' X
exit_code 1 broken_zd key_exists 'HKCU\Software\NoSuchKey'
exit_code 1 broken_zd registry_state
shot screen.png
expect_eq "PNG 1024x768" "$(identify -format '%m %wx%h' screen.png)" "screenshot"

# The test's own zdrive answers as a zdrive of its own would: output, errors
# and exit code; an empty word stays a word, and a reader that stops early
# leaves nothing behind for the next command.
same_answer() {
  local served apart
  served=$(zd "$@" 2>&1; echo "exit $?")
  apart=$(ZD_APART=1 zd "$@" 2>&1; echo "exit $?")
  expect_eq "$apart" "$served" "zd $* through the test's zdrive"
}
start_dialog
same_answer texts --title "$main"
same_answer set-text --title "$main" 101 ""
same_answer text --title "$main" 101
same_answer text --timeout 500 --title "$main" 999
same_answer no-such-command
zd texts --title "$main" | head -n 1 >/dev/null
expect_eq "$main" "$(zd text --title "$main" 0)" "the answer after a reader that stopped early"
zd click --title "$main" 2 >/dev/null
