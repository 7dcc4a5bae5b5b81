# Esc asks; No lets the game go on; Yes ends it through the information box,
# with exit code 0 and a score.dat of ten name and score pairs.
source "$SRC/tests/e2e/tzk_lib.sh"
tzk_folder
pid=$(tzk_start)
tzk_wait_window
zd keys --class tzk ESC
box_wait ZARVEL
expect_eq "$(printf '終了しますか？\nExit? ')" "$(zd text --class '#32770' --title ZARVEL 65535)" \
  "the exit question"
zd click --class '#32770' --title ZARVEL 7
zd wait-gone --class '#32770' --title ZARVEL
sleep 2
shot "$WORK/a.png"
sleep 1
shot "$WORK/b.png"
# The stars have moved on: the game runs.
differ=$(compare -metric AE "$WORK/a.png" "$WORK/b.png" null: 2>&1 || true)
[ "${differ%% *}" != 0 ] || fail "the picture stands still after No"
zd wait-window --class tzk >/dev/null
tzk_quit "$pid"
[ -f "$GAME_DIR/score.dat" ] || fail "no score.dat"
expect_eq 20 "$(score_lines)" "score.dat lines"
