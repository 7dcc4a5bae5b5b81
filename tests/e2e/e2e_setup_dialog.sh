# The backdrop and install dialog show what setup.ini asks for; cancel ends
# the program with 0 and creates nothing.
medium=$WORK/medium
. "$SRC/tests/e2e/setup_medium.sh"
standard_medium "$medium"

pid=$(start_setup "$medium")
zd wait-window --class Raro-Re_Vader >/dev/null
expect_eq "セットアップ プログラム" "$(zd text --class Raro-Re_Vader 0)" "backdrop caption"
dlg=(--class '#32770' --title 'ZARVEL セットアップ')
zd wait-window "${dlg[@]}" >/dev/null

# Texts from setup.ini, verbatim: msgB keeps its leading blanks; msgC is absent.
expect_eq "横スクロール シューティング ZARVEL" "$(zd text "${dlg[@]}" 1005)" "msgA"
expect_eq "   をインストールします。" "$(zd text "${dlg[@]}" 1006)" "msgB verbatim"
expect_eq "" "$(zd text "${dlg[@]}" 1007)" "msgC absent"
expect_eq "インストール先を確かめてください。" "$(zd text "${dlg[@]}" 1008)" "msgD"
expect_eq 'C:\Zarvel' "$(zd text "${dlg[@]}" 1003)" "install folder"

# Check boxes: ticked by the Default keys, disabled without a list.
expect_eq "checked=1 enabled=1 visible=1" "$(zd state "${dlg[@]}" 1011)" "start menu"
expect_eq "checked=0 enabled=0 visible=1" "$(zd state "${dlg[@]}" 1013)" "start-up"
expect_eq "checked=0 enabled=1 visible=1" "$(zd state "${dlg[@]}" 1026)" "desktop"
expect_eq "checked=1 enabled=0 visible=1" "$(zd state "${dlg[@]}" 1027)" "Send To"
expect_eq "visible=0" "$(zd state "${dlg[@]}" 1004 | grep -o 'visible=[01]')" "no setup.bmp, no picture"

# Every control at its place and size, in dialog units.
while read -r id x y w h text; do
  expect_eq "$x $y $w $h" "$(zd rect "${dlg[@]}" "$id")" "control $id"
  [ "$text" = "-" ] || expect_eq "$text" "$(zd text "${dlg[@]}" "$id")" "text of $id"
done <<'TABLE'
1 50 145 74 14 インストール開始(&I)
2 127 145 50 14 中止(&S)
1005 105 15 149 8 -
1012 105 75 149 8 -
1011 15 99 95 10 スタートメニューに登録する
1013 136 99 84 10 スタートアップに登録する
1026 15 113 110 10 デスクトップにショートカットを登録
1027 136 113 110 10 ファイルの「送る」メニューに登録
1017 9 131 47 8 インストール先：
1003 57 127 165 14 -
1014 223 127 29 14 参照(&F)
1016 180 145 70 14 標準のインストール先
TABLE
zd texts "${dlg[@]}" | grep -q "0.84" || fail "no version label 0.84"

shot "$WORK/setup_dialog.png"
# The backdrop: black at the top to blue at the bottom of the 640x480
# desktop, the title in white with its dark blue shadow.
pixel() { convert "$WORK/setup_dialog.png" -format "%[fx:int(255*p{$1,$2}.r)] %[fx:int(255*p{$1,$2}.g)] %[fx:int(255*p{$1,$2}.b)]" info:; }
read -r r g b <<<"$(pixel 630 4)"
[ "$r" -eq 0 ] && [ "$g" -eq 0 ] && [ "$b" -lt 16 ] || fail "top of the backdrop is $r $g $b"
read -r r g b <<<"$(pixel 630 475)"
[ "$r" -eq 0 ] && [ "$g" -eq 0 ] && [ "$b" -gt 230 ] || fail "bottom of the backdrop is $r $g $b"
count() { convert "$WORK/setup_dialog.png" -crop 400x70+0+0 +repage -fill black +opaque "$1" -fill white -opaque "$1" -format '%[fx:int(mean*w*h)]' info:; }
[ "$(count 'rgb(255,255,255)')" -gt 200 ] || fail "no white title"
[ "$(count 'rgb(0,0,128)')" -gt 100 ] || fail "no dark blue shadow"

zd click "${dlg[@]}" 2
expect_eq 0 "$(zd wait-exit "$pid")" "exit code after cancel"
[ ! -e "$DRIVE_C/Zarvel" ] || fail "cancel created the install folder"
[ ! -e "$DRIVE_C/windows/zarvel_uninst.exe" ] || fail "cancel copied the uninstaller"
