# A missing bitmap ends the start-up with the DirectX failure box, not a crash.
source "$SRC/tests/e2e/tzk_lib.sh"
tzk_folder
rm "$GAME_DIR/comm_.bmp"
pid=$(tzk_start)
box_wait ZARVEL 60000
box_text ZARVEL | grep -q "DirectX Init FAILED" || fail "no failure box: $(box_text ZARVEL)"
zd click --class '#32770' --title ZARVEL 1
expect_eq 0 "$(zd --timeout 30000 wait-exit "$pid")" "tzk.exe exit code"
