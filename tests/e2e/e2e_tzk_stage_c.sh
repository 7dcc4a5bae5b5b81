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
# The introduction stays 1.5 s after a tap. A title frame on a loaded
# machine can outlast a short tap, so the tap is repeated while the title
# is still there.
found=0
for attempt in 1 2 3 4 5; do
  press Z
  for i in $(seq 1 10); do
    shot "$WORK/intro.png"
    convert "$WORK/intro.png" -crop 12x16+344+200 +repage "$WORK/digit.png"
    diff=$(compare -metric AE "$WORK/digit.png" "$WORK/three.png" null: 2>&1 || true)
    if [ "${diff%% *}" = 0 ]; then found=1; break 2; fi
    [ "$(has_colour "$WORK/intro.png" E03F3F)" = 1 ] && break  # still the title
  done
done
[ "$found" = 1 ] || fail "no [STAGE 3] introduction (last digit cell differs by ${diff:-?} pixels)"
tzk_quit "$pid"
