# desktop: 800x600
# The driver against a dialog of known layout: every command once, and the
# failures a test relies on (exit 1 when the thing is not there, 2 for a
# wrong call). Run by run_e2e.sh, as the end-to-end tests are.
main='ドライバー確認'

# exit_code WANT COMMAND...: the command ends with WANT.
exit_code() {
  local want=$1 rc=0
  shift
  "$@" >/dev/null 2>&1 || rc=$?
  expect_eq "$want" "$rc" "exit code of $*"
}

pid=$(zd start "$(winpath "$BUILD/zdrive_check.exe")")
zd wait-window --title "$main" >/dev/null
expect_eq "#32770	$main" "$(zd foreground)" "foreground"
zd list | grep -q "	$main	$pid	1\$" || fail "list lacks the dialog"

# Layout as the template has it, in dialog units.
while read -r id want; do
  expect_eq "$want" "$(zd rect --title "$main" "$id")" "rect of $id"
done <<'TABLE'
101 10 10 120 14
102 10 30 80 10
103 10 50 50 14
105 140 10 50 14
1 90 78 50 14
2 145 78 50 14
TABLE

# State of each kind of control.
while read -r id want; do
  expect_eq "$want" "$(zd state --title "$main" "$id")" "state of $id"
done <<'TABLE'
102 checked=0 enabled=1 visible=1
105 checked=0 enabled=0 visible=1
1 checked=0 enabled=1 visible=1
TABLE

expect_eq "102	Button	チェック" "$(zd texts --title "$main" | grep '^102	')" "texts"
expect_eq "$main" "$(zd text --title "$main" 0)" "title"

# Typing reaches the edit box of a modal dialog, Japanese and keys alike.
zd keys --title "$main" focus:101 text:あいうABC BACKSPACE
expect_eq "あいうAB" "$(zd text --title "$main" 101)" "typed text"
zd set-text --title "$main" 101 "日本語"
expect_eq "日本語" "$(zd text --title "$main" 101)" "set text"

zd click --title "$main" 102
expect_eq "checked=1 enabled=1 visible=1" "$(zd state --title "$main" 102)" "clicked check box"
# A press that waits for a file's lines.
printf 'a\r\nb\r\n' > "$WORK/two.txt"
exit_code 1 zd click-when --timeout 300 --file "$WORK/two.txt" --lines 3 --title "$main" 102
exit_code 1 zd click-when --timeout 300 --file "$WORK/none.txt" --title "$main" 102
zd click-when --file "$WORK/two.txt" --lines 2 --title "$main" 102
expect_eq "checked=0 enabled=1 visible=1" "$(zd state --title "$main" 102)" "clicked when the file was ready"
zd click --title "$main" 102  # ticked again: the exit code below tells

# A message box: its text, a click on a button, a key on it.
for way in "click 7" "keys ESC" "keys Y"; do
  zd click --title "$main" 103
  zd wait-window --title ZARVEL >/dev/null
  expect_eq $'終了しますか？\nExit? ' "$(zd text --title ZARVEL 65535)" "message"
  if [ "$way" = "click 7" ]; then  # a box told by what it says
    zd wait-window --title ZARVEL --has-text 'Exit?' >/dev/null
    exit_code 1 zd wait-window --timeout 300 --title ZARVEL --has-text 'Quit?'
  fi
  set -- $way
  if [ "$1" = click ]; then zd click --title ZARVEL "$2"; else zd keys --title ZARVEL "$2"; fi
  zd wait-gone --title ZARVEL
  want=$(case "$way" in "click 7") echo 7 ;; "keys ESC") echo 2 ;; *) echo 6 ;; esac)
  expect_eq "answer $want" "$(zd text --title "$main" 104)" "message box by $way"
done

# A nested dialog from a plain DIALOG template with another font.
zd click --title "$main" 106
zd wait-window --title 詳細 >/dev/null
expect_eq "7 7 100 12" "$(zd rect --title 詳細 201)" "rect in the nested dialog"
shot nested.png
zd click --title 詳細 1
zd wait-gone --title 詳細

# Failures.
exit_code 1 zd click --title "$main" 105
exit_code 1 zd wait-window --timeout 300 --title "no such window"
exit_code 1 zd text --timeout 300 --title "$main" 999
exit_code 1 zd wait-gone --timeout 300 --title "$main"
exit_code 2 zd keys --title "$main" NOSUCHKEY
exit_code 2 zd text --title "$main"
exit_code 2 zd frobnicate

# The exit code survives the program's end.
zd click --title "$main" 1
zd wait-gone --title "$main"
sleep 1
expect_eq 61 "$(zd wait-exit "$pid")" "exit code"

# Arguments arrive as given, quotes and backslashes included, and the program
# runs in its own folder unless told otherwise.
check_start() {
  local want_args=$1 want_cwd=$2 pid
  shift 2
  pid=$(zd start "$@")
  zd wait-window --pid "$pid" --title "$main" >/dev/null
  expect_eq "$want_args" "$(zd text --pid "$pid" --title "$main" 107)" "arguments of start $*"
  expect_eq "$want_cwd" "$(zd text --pid "$pid" --title "$main" 108)" "folder of start $*"
  zd click --pid "$pid" --title "$main" 2
  expect_eq 7 "$(zd wait-exit "$pid")" "cancelled"
}
exe=$(winpath "$BUILD/zdrive_check.exe")
check_start "" "$(winpath "$BUILD")" "$exe"
check_start "a b|c\"d|e\\|日本語" "$(winpath "$BUILD")" "$exe" "a b" 'c"d' 'e\' 日本語
check_start "--title|x" 'C:\windows' --cwd 'C:\windows' "$exe" --title x
# A whole command line, split by Windows: the quoted program, then its own
# parser for the arguments.
check_start "a b|c" 'C:\windows' --cwd 'C:\windows' --line "\"$exe\" \"a b\" c"
unix_c=$DRIVE_C
check_start "" "Z:${unix_c//\//\\}" --cwd "$DRIVE_C" "$BUILD/zdrive_check.exe"

# lib.sh's own helpers.
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
expect_eq absent "$(key_state 'HKCU\Software\NoSuchKey\Deeper')" "absent below absent"
# A reg.exe that fails is never read as "absent".
broken_reg() { ( WINELOADER=/bin/false "$@" ); }
exit_code 1 broken_reg regget 'HKCU\Software\NoSuchKey' X
exit_code 1 broken_reg key_exists 'HKCU\Software\NoSuchKey'
exit_code 1 broken_reg registry_state
shot screen.png
expect_eq "PNG 1024x768" "$(identify -format '%m %wx%h' screen.png)" "screenshot"

# Each key name reaches a plain window as its virtual key (extended where
# the key is); a held key is seen by GetAsyncKeyState for as long as it is.
pid=$(zd start "$exe" keys)
keys=() want="keys:"
while read -r key code; do
  keys+=("$key")
  want+=" $code"
done <<'TABLE'
ESC d1b
ENTER d0d
SPACE d20
TAB d09
BACKSPACE d08
F1 d70
F12 d7b
LEFT d25e
RIGHT d27e
UP d26e
DOWN d28e
DELETE d2ee
NUM8 d68
z d5a
X d58
0 d30
SHIFT d10
CTRL d11
ALT s12
PAUSE d13
TABLE
zd keys --pid "$pid" --class zdrive_keys "${keys[@]}"
expect_eq "$want" "$(zd text --pid "$pid" --class zdrive_keys 0)" "keys as virtual keys"
zd keys --pid "$pid" --class zdrive_keys down:Z sleep:500 up:Z sleep:200
held=$(zd text --pid "$pid" --class zdrive_keys 5)
[ "${held#held }" -ge 10 ] || fail "Z held for 500 ms: $held"
zd keys --pid "$pid" --class zdrive_keys sleep:300
expect_eq "$held" "$(zd text --pid "$pid" --class zdrive_keys 5)" "Z let go"
