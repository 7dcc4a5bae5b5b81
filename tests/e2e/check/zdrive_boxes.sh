# desktop: 800x600
# The driver on what the dialog opens: message boxes (answered by a
# click and by keys), a nested dialog, and the failures of calls to what
# is not there or not allowed.
. "$SRC/tests/e2e/check/zdrive_lib.sh"

start_dialog
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
  wait_eq "answer $want" "message box by $way" zd text --title "$main" 104
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

zd click --title "$main" 2
expect_eq 7 "$(zd wait-exit "$pid")" "cancelled"
