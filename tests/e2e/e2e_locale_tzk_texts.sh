# lang: C.UTF-8
# On a Western system (code page 1252, as most people who run Wine have) the
# game's Japanese texts reach Windows whole, each read back as Unicode: the
# exit question; a name typed in Japanese into the entry dialog, kept in
# score.dat in Shift-JIS and shown in the list; a name 932 cannot hold,
# refused with a message; the farewell.
source "$SRC/tests/e2e/tzk_lib.sh"
tzk_folder
pid=$(tzk_start)
tzk_wait_window
exit_question_no exit_question.png

# A game lost at level 4 with a placing score, as in e2e_tzk_high_score.
press RIGHT
press RIGHT
zd keys --class tzk down:Z sleep:3000 up:Z
zd keys --class tzk down:T
game_over_box down:T
entry=(--class '#32770' --title "Insert Height Score")
zd keys "${entry[@]}" up:T
# The name takes what 932 keeps in ten bytes: seven kanji and kana do not
# fit, and the field stays as it was.
zd set-text "${entry[@]}" 1003 "ザーベル改造型"
expect_eq none "$(zd text "${entry[@]}" 1003)" "a name of 14 bytes"
zd set-text "${entry[@]}" 1003 "김"
zd click "${entry[@]}" 1
box_wait ZARVEL
expect_eq "$(printf 'その名前には、使えない文字が入っているようです (T_T)\nほかの文字で入れなおしてください。')" \
  "$(zd text --class '#32770' --title ZARVEL 65535)" "the refused name"
zd click --class '#32770' --title ZARVEL 1
zd wait-gone --class '#32770' --title ZARVEL
zd wait-window "${entry[@]}" >/dev/null || fail "the entry dialog closed on a refused name"
zd set-text "${entry[@]}" 1003 "ザーベル"
zd click "${entry[@]}" 1
list=(--class '#32770' --title "ZARVEL Height Score")
box_wait "ZARVEL Height Score"
expect_eq "ザーベル" "$(zd text "${list[@]}" 1004)" "place 1 name"
zd click "${list[@]}" 1
zd wait-gone "${list[@]}"

# Yes to the question, and the farewell.
zd wait-window --class tzk >/dev/null
zd keys --class tzk ESC
box_wait ZARVEL
zd click --class '#32770' --title ZARVEL 6
box=$(zd wait-window --timeout 30000 --class '#32770' --has-text 'ありがとう') || fail "no farewell box"
expect_eq "遊んでいただきありがとうございました。" "$(zd text --hwnd "$box" 65535 | head -n 1)" \
  "the farewell"
zd click --hwnd "$box" 1 >/dev/null
expect_eq 0 "$(zd --timeout 30000 wait-exit "$pid")" "tzk.exe exit code"
# Kept as the format says: Shift-JIS.
expect_eq "ザーベル" "$(head -n 1 "$GAME_DIR/score.dat" | tr -d '\r' | iconv -f CP932 -t UTF-8)" \
  "score.dat name line"
