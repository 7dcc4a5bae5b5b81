# A missing bitmap ends the start-up with the DirectX failure box, not a
# crash, and leaves score.dat as it was.
source "$SRC/tests/e2e/tzk_lib.sh"
tzk_folder
rm "$GAME_DIR/comm_.bmp"
printf 'KEEP\r\n777\r\n' >"$GAME_DIR/score.dat"
pid=$(tzk_start)
box_wait ZARVEL 60000
box_text ZARVEL | grep -q "DirectX Init FAILED" || fail "no failure box: $(box_text ZARVEL)"
zd click --class '#32770' --title ZARVEL 1
expect_eq 0 "$(zd wait-exit "$pid")" "tzk.exe exit code"
# The table was never read, so it is not written over.
expect_eq "$(printf 'KEEP\r\n777\r\n')" "$(cat "$GAME_DIR/score.dat")" "score.dat untouched"
