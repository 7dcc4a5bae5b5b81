# A log edited by whoever can write the install folder, then the uninstaller
# started from the registry as an administrator would: lines naming a file
# in the user's documents, one reaching out through "/..", a 300-byte line
# whose first 259 bytes name another file, and a file inside the install
# folder reached through a junction to a folder of the user's. Every one of
# those files is still there afterwards, byte for byte, while the honest
# lines of the same log are uninstalled.
. "$SRC/tests/e2e/uninstall_lib.sh"

docs=$(winpath "$WINPROFILE/Documents")
install_uninstaller
log='C:\Games\Foo\_inst_.log'
make_files 'C:\Games\Foo\game.exe' 'C:\Games\Foo\a.dat'

# The user's files, each with content of its own.
plain="$docs\\thesis.docx"
dotted="$docs\\notes.txt"
saved="$docs\\saves\\save.dat"
# A path of exactly 259 bytes, and the 300-byte line that begins with it.
pad=$((259 - ${#docs} - 1 - 1 - 100))
cut="$docs\\$(printf 'c%.0s' $(seq 100))\\$(printf 'd%.0s' $(seq "$pad"))"
[ ${#cut} -eq 259 ] || fail "the cut path is ${#cut} bytes"
long="$cut$(printf 'e%.0s' $(seq 41))"
victims=("$plain" "$dotted" "$saved" "$cut")
for f in "${victims[@]}"; do
  u=$(unix_path "$f")
  mkdir -p "$(dirname "$u")"
  head -c 3000 /dev/urandom > "$u"
  mkdir -p "$WORK/kept$(dirname "$u")"
  cp -p "$u" "$WORK/kept$u"
done

# C:\Games\Foo\data is a junction to the user's saves, made as Windows makes
# one; where this Wine's cmd cannot, a symbolic link, which Wine shows as
# the same kind of reparse point.
data='C:\Games\Foo\data'
if ! timeout 60 "$WINELOADER" cmd /c mklink /J "$data" "$docs\\saves" >/dev/null 2>&1 ||
   [ ! -L "$(unix_path "$data")" ]; then
  rm -rf "$(unix_path "$data")"
  ln -s "$(unix_path "$docs\\saves")" "$(unix_path "$data")"
fi
cmp "$(unix_path "$data\\save.dat")" "$(unix_path "$saved")" || fail "the junction does not lead to the saves"

user=${docs%\\Documents}
user=${user#C:\\}
write_log "$log" 'C:\Games\Foo' "$log" 'C:\Games\Foo\game.exe' \
  "$plain" \
  "C:\\Games\\Foo/../../$(tr '\\' / <<<"$user")/Documents/notes.txt" \
  "$long" \
  "$data\\save.dat" \
  'C:\Games\Foo\a.dat' \
  Foo Foo "$UNINSTALLER"
register_entry Foo "$log"

pid=$(start_registered Foo)
zd wait-window --title "$DIALOG_TITLE" >/dev/null
zd click --title "$DIALOG_TITLE" 1023 >/dev/null
# Whatever the uninstaller says on the way, it is answered; it must end.
for _ in $(seq 60); do
  if box=$(zd wait-window --timeout 500 --class '#32770' --title "$MESSAGE_TITLE" 2>/dev/null); then
    echo "said: $(zd texts --hwnd "$box" | cut -f3 | tr '\n' ' ')"
    zd click --hwnd "$box" 1 >/dev/null 2>&1 || zd click --hwnd "$box" 6 >/dev/null 2>&1 || true
  fi
  code=$(zd wait-exit --timeout 500 "$pid" 2>/dev/null) && break
  # Done and waiting for its exit button (or about to close by itself).
  if [ "$(zd text --timeout 500 --title "$DIALOG_TITLE" 1025 2>/dev/null)" = $'を\n削除しました。' ]; then
    zd click --timeout 500 --title "$DIALOG_TITLE" 2 >/dev/null 2>&1 || true
  fi
done
[ -n "${code:-}" ] || fail "the uninstaller did not end"

for f in "${victims[@]}"; do
  u=$(unix_path "$f")
  cmp "$WORK/kept$u" "$u" || fail "deleted or changed: $f"
done
[ -d "$(unix_path "$docs")" ] || fail "the Documents folder went"
# The honest lines were still obeyed.
for f in 'C:\Games\Foo\game.exe' 'C:\Games\Foo\a.dat' "$log"; do
  [ ! -e "$(unix_path "$f")" ] || fail "not uninstalled: $f"
done
echo "crafted log: all ${#victims[@]} files kept; uninstaller ended with $code"
