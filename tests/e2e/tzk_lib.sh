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

# The window, then the title's first frames on screen (a fresh prefix takes
# a while for its first DirectDraw start).
tzk_wait_window() {
  zd --timeout 60000 wait-window --class tzk >/dev/null
  local i
  for i in $(seq 1 60); do
    shot "$WORK/start.png"
    if [ "$(identify -format %k "$WORK/start.png")" -gt 2 ]; then
      sleep 1  # and the window has settled in front
      return 0
    fi
    sleep 0.5
  done
  fail "the game window stays black"
}

# A message box or dialog of the game: class #32770 with this title. Waits
# longer than one zd call may last are made of several.
box_wait() {
  local left=${2:-20000} step
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

# Esc, Yes, the information box, and the exit code 0.
tzk_quit() {
  local pid=$1
  zd keys --class tzk ESC
  box_wait ZARVEL
  zd click --class '#32770' --title ZARVEL 6
  farewell_ok 30000
  expect_eq 0 "$(zd --timeout 30000 wait-exit "$pid")" "tzk.exe exit code"
}

# Lines of score.dat, CR LF counted as line ends.
score_lines() {
  tr -d '\r' <"$GAME_DIR/score.dat" | wc -l
}

# 1 when the picture holds the colour (hex, e.g. E03F3F).
has_colour() {
  convert "$1" -format %c histogram:info:- | grep -qi "#$2" && echo 1 || echo 0
}
