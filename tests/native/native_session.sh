#!/usr/bin/env bash
# The program as a desktop session meets it: a display that cannot be
# opened is refused at once (SDL would fall back to a driver that shows
# nothing), one game at a time, and closing the terminal (SIGHUP) ends the
# game with its scores written, as SIGTERM does.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
export XDG_DATA_HOME=$work/data
folder=$XDG_DATA_HOME/zarvel

# No X server on this display: one line naming it, exit 2, no lock taken.
set +e
env -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY DISPLAY=:65431 timeout 60 "$build/zarvel" 2>"$work/err"
rc=$?
set -e
[ "$rc" -eq 2 ] || fail "an unopened display: exit $rc, not 2 ($(cat "$work/err"))"
grep -q 'DISPLAY=:65431' "$work/err" || fail "the display is not named: $(cat "$work/err")"
[ ! -e "$folder/zarvel.lock" ] || fail "the refused start made the lock file"
# Asked for by name (as these tests do), the offscreen driver plays.
DISPLAY=:65431 "$build/zarvel" --keys /dev/null --frames 5 || fail "SDL_VIDEODRIVER=$SDL_VIDEODRIVER was refused"
echo "an unopened display refused: $(cat "$work/err")"

# start_game LOG: a game in the background, up once its lock file is there.
start_game() {
  ${limit:+prlimit --fsize=$limit --} "$build/zarvel" 2>"$1" &
  game=$!
  for _ in $(seq 300); do [ -e "$folder/zarvel.lock" ] || ! kill -0 $game 2>/dev/null && break; sleep 0.2; done
  [ -e "$folder/zarvel.lock" ] || fail "the game did not start: $(cat "$1")"
}

start_game "$work/first.err"
set +e
timeout 60 "$build/zarvel" 2>"$work/second.err"
rc=$?
set -e
[ "$rc" -eq 1 ] || fail "a second start: exit $rc, not 1"
grep -q 'already running' "$work/second.err" || fail "a second start: $(cat "$work/second.err")"
[ ! -e "$folder/score.dat" ] || fail "score.dat before the game ended"
kill -HUP $game
wait $game || fail "after SIGHUP the game ended with $?: $(cat "$work/first.err")"
[ "$(wc -l <"$folder/score.dat")" -eq 20 ] || fail "SIGHUP: the scores were not written"
echo "a second start said so; SIGHUP ended the game with its ten places written"

# Past the file size limit the save fails and says so; the program is not
# ended by the limit's signal.
export XDG_DATA_HOME=$work/limited
folder=$XDG_DATA_HOME/zarvel
mkdir -p "$folder"
for i in 1 2 3 4 5 6 7 8 9 10; do printf 'PLAYER%02d\r\n%d\r\n' $i $((11000 - i * 1000)); done >"$folder/score.dat"
limit=64 start_game "$work/limited.err"
kill -TERM $game
wait $game || fail "past the file size limit the game ended with $?: $(cat "$work/limited.err")"
grep -qi 'score' "$work/limited.err" || fail "the failed save was not said: $(cat "$work/limited.err")"
echo "past a 64-byte file size limit: exit 0, the failed save said"
