# -c starts the first game at the third stage: its introduction reads
# "[STAGE 3]". The digit's cell on screen must be the font's "3".
source "$SRC/tests/e2e/tzk_lib.sh"
tzk_folder
pid=$(tzk_start -c)
tzk_wait_window
# The font's "3" (character 51, cell 19 of the first row), transparent
# colour as the black the introduction is drawn on.
convert "$BUILD/data/font_.bmp" -crop 12x16+304+0 +repage -fill black -opaque '#1A03FF' \
  "$WORK/three.png"
press Z
found=0
for i in $(seq 1 15); do
  shot "$WORK/intro.png"
  convert "$WORK/intro.png" -crop 12x16+344+200 +repage "$WORK/digit.png"
  diff=$(compare -metric AE "$WORK/digit.png" "$WORK/three.png" null: 2>&1 || true)
  if [ "${diff%% *}" = 0 ]; then found=1; break; fi
  sleep 0.1
done
[ "$found" = 1 ] || fail "no [STAGE 3] introduction (last digit cell differs by ${diff:-?} pixels)"
tzk_quit "$pid"
