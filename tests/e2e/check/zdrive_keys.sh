# desktop: 800x600
. "$SRC/tests/e2e/check/zdrive_lib.sh"

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
wait_eq "$want" "keys as virtual keys" zd text --pid "$pid" --class zdrive_keys 0
# A held key: the window's 10 ms timer counts the ticks GetAsyncKeyState
# sees it down, and stops counting once it is let go.
zd keys --pid "$pid" --class zdrive_keys down:Z
held_ten() { held=$(zd text --pid "$pid" --class zdrive_keys 5); [ "${held#held }" -ge 10 ]; }
until_ok 60 held_ten || fail "Z held: $held"
zd keys --pid "$pid" --class zdrive_keys up:Z
stopped() {
  held=$(zd text --pid "$pid" --class zdrive_keys 5)
  zd keys --pid "$pid" --class zdrive_keys sleep:300
  [ "$(zd text --pid "$pid" --class zdrive_keys 5)" = "$held" ]
}
until_ok 60 stopped || fail "Z let go, the count goes on: $held"
