# The game starts on its title screen: both title colours and a full picture.
source "$SRC/tests/e2e/tzk_lib.sh"
tzk_folder
pid=$(tzk_start)
tzk_wait_window
shot "$WORK/title.png"
expect_eq 1 "$(has_colour "$WORK/title.png" A0DFFF)" "light blue title RGB(160, 223, 255)"
expect_eq 1 "$(has_colour "$WORK/title.png" E03F3F)" "red title RGB(224, 63, 63)"
colours=$(identify -format %k "$WORK/title.png")
[ "$colours" -ge 20 ] || fail "only $colours colours on the title screen"
tzk_quit "$pid"
