# Esc asks; No lets the game go on; Yes ends it through the information box,
# with exit code 0 and a score.dat of ten name and score pairs.
source "$SRC/tests/e2e/tzk_lib.sh"
tzk_folder
pid=$(tzk_start)
tzk_wait_window
exit_question_no
# The stars move on: the game runs (two pictures a second apart differ,
# once the window is back).
moving() {
  shot "$WORK/a.png"
  sleep 1
  shot "$WORK/b.png"
  differ=$(compare -metric AE "$WORK/a.png" "$WORK/b.png" null: 2>&1 || true)
  [ "${differ%% *}" != 0 ]
}
until_ok 60 moving || fail "the picture stands still after No"
zd wait-window --class tzk >/dev/null
tzk_quit "$pid"
[ -f "$GAME_DIR/score.dat" ] || fail "no score.dat"
expect_eq 20 "$(score_lines)" "score.dat lines"
