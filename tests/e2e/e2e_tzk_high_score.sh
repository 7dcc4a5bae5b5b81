# A game lost at level 4 with a placing score: the name entry (dialog 142)
# shows rank and score, takes a name with a space, and the list (141) shows
# it; score.dat keeps it, and the next start reads it back whole.
source "$SRC/tests/e2e/tzk_lib.sh"
tzk_folder
pid=$(tzk_start)
tzk_wait_window
press RIGHT
press RIGHT            # level 2 -> 4
# Start with fire held, and fire until the game ends: the score comes from
# hits however few frames a busy machine has played in the first seconds.
# Holding T lifts the frame pacing (a developer key): the ship, which does
# not move, meets its end in fewer seconds on a loaded machine.
zd keys --class tzk down:Z sleep:3000 down:T
game_over_box down:Z down:T
entry=(--class '#32770' --title "Insert Height Score")
zd keys "${entry[@]}" up:T up:Z
expect_eq 1 "$(zd text "${entry[@]}" 1005)" "rank"
score=$(zd text "${entry[@]}" 1004)
[[ $score =~ ^[0-9]+$ ]] || fail "score edit holds '$score'"
expect_eq none "$(zd text "${entry[@]}" 1003)" "name preset"
zd set-text "${entry[@]}" 1003 "AB CD"
zd click "${entry[@]}" 1
list=(--class '#32770' --title "ZARVEL Height Score")
box_wait "ZARVEL Height Score"
expect_eq "AB CD" "$(zd text "${list[@]}" 1004)" "place 1 name"
expect_eq "$score" "$(zd text "${list[@]}" 1014)" "place 1 score"
expect_eq "" "$(zd text "${list[@]}" 1005)" "place 2 name"
expect_eq 0 "$(zd text "${list[@]}" 1015)" "place 2 score"
zd click "${list[@]}" 1
zd wait-gone "${list[@]}"
tzk_quit "$pid"
expect_eq "AB CD" "$(tr -d '\r' <"$GAME_DIR/score.dat" | sed -n 1p)" "score.dat name line"
expect_eq "$score" "$(tr -d '\r' <"$GAME_DIR/score.dat" | sed -n 2p)" "score.dat score line"

# Read back whole at the next start.
pid=$(tzk_start)
tzk_wait_window
zd keys --class tzk F1
box_wait "ZARVEL Height Score"
expect_eq "AB CD" "$(zd text "${list[@]}" 1004)" "place 1 name after a restart"
expect_eq "$score" "$(zd text "${list[@]}" 1014)" "place 1 score after a restart"
zd click "${list[@]}" 1
zd wait-gone "${list[@]}"
tzk_quit "$pid"
