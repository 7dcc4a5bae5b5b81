# Helpers of the tzk.exe end-to-end scripts (sourced by them after lib.sh).
# Each test plays in a game folder of its own: the bitmaps copied from the
# build, and its own score.dat.

TZK_CAPTION="ZARVEL  -  a horizontally scrolling shooter"  # string 1
GAME_DIR=$WORK/game

tzk_folder() {
  mkdir -p "$GAME_DIR"
  cp "$BUILD"/data/*.bmp "$GAME_DIR"/
}

# tzk_start [ARGS...]: starts the game in its folder, prints the process id.
tzk_start() {
  zd start --cwd "$(winpath "$GAME_DIR")" "$(winpath "$BUILD/tzk.exe")" "$@"
}

# game_over_box KEY...: waits up to 200 s for the name entry of a game
# played with these keys held (zd keys words: down:Z down:T). The game plays
# only while its window is active: where no entry came and the picture has
# not changed in 15 s, the window is brought back to the front and the keys
# are held again, as a player would click on it.
game_over_box() {
  local waited
  shot "$WORK/still.png"
  for waited in $(seq 15 15 200); do
    box_wait "Insert Height Score" 15000 && return 0
    shot "$WORK/now.png"
    if [ "$(compare -metric AE "$WORK/still.png" "$WORK/now.png" null: 2>&1 || true)" = 0 ]; then
      echo "game_over_box: the picture stood still for 15 s; the window to the front, the keys held again" >&2
      zd keys --class tzk "$@" >/dev/null || true
    fi
    mv "$WORK/now.png" "$WORK/still.png"
  done
  fail "no name entry in 200 s"
}

# The window, then the title's first frames on screen (a fresh prefix takes
# a while for its first DirectDraw start).
tzk_wait_window() {
  zd --timeout 60000 wait-window --class tzk >/dev/null
  # The screen's colours counted as it is grabbed, with no picture written.
  drawn() { [ "$(import -display "$DISPLAY" -window root -format %k info:)" -gt 2 ]; }
  until_ok 120 drawn || fail "the game window stays black"
  sleep 1  # and the window has settled in front
}

# A message box or dialog of the game: class #32770 with this title. Waits
# longer than one zd call may last are made of several.
box_wait() {
  local left=${2:-60000} step
  while :; do
    step=$((left > 100000 ? 100000 : left))
    zd --timeout "$step" wait-window --class '#32770' --title "$1" >/dev/null && return 0
    left=$((left - step))
    [ "$left" -gt 0 ] || return 1
  done
}

box_text() {
  zd texts --class '#32770' --title "$1"
}

# Keys reach the game as a person presses them: the title screen looks at
# the held keys once a frame, so a tap is held a moment.
press() {
  zd keys --class tzk "down:$1" sleep:300 "up:$1"
}

# exit_question_no [SHOT.png]: Esc asks whether to end, the question is read
# back (the screen taken first when asked), and No lets the game go on.
exit_question_no() {
  zd keys --class tzk ESC
  box_wait ZARVEL
  [ -z "${1:-}" ] || shot "$1"
  expect_eq "$(printf '終了しますか？\nExit? ')" "$(zd text --class '#32770' --title ZARVEL 65535)" \
    "the exit question"
  zd click --class '#32770' --title ZARVEL 7
  zd wait-gone --class '#32770' --title ZARVEL
}

# Esc, Yes, the information box, and the exit code 0. An Esc that brought
# no question in 15 s went to no window of the game (one still coming back
# from a dialog) and is pressed again; the game ignores a second request
# while it asks.
tzk_quit() {
  local pid=$1 try
  for try in 1 2 3 4; do
    zd keys --class tzk ESC
    box_wait ZARVEL 15000 && break
    [ "$try" -lt 4 ] || fail "no close question after Esc"
    echo "tzk_quit: no close question 15 s after Esc; pressing it again" >&2
  done
  zd click --class '#32770' --title ZARVEL 6
  farewell_ok
  expect_eq 0 "$(zd wait-exit "$pid")" "tzk.exe exit code"
}

# Lines of score.dat, CR LF counted as line ends.
score_lines() {
  tr -d '\r' <"$GAME_DIR/score.dat" | wc -l
}

# 1 when the picture holds the colour (hex, e.g. E03F3F).
has_colour() {
  convert "$1" -format %c histogram:info:- | grep -qi "#$2" && echo 1 || echo 0
}
