#!/usr/bin/env bash
# The window at scale 2, read back from its surface, is the game's screen
# with each pixel doubled: on the title (TrueType texts over the stars) and
# on a stage frame, which is also the simulator's frame, pixel for pixel.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
differ() { compare -metric AE "$1" "$2" null: 2>&1 || true; }

printf '0\n40 fire\n' >"$work/keys.txt"
args=(--seed 5 --keys "$work/keys.txt" --frames 320)
"$build/zarvel" "${args[@]}" --scale 2 --shot "30:$work/title" --shot "300:$work/stage" 2>"$work/err" ||
  fail "zarvel: $(cat "$work/err")"
"$build/tzk-sim" "${args[@]}" --shot "300:$work/sim-stage.png" >/dev/null
for shot in title stage; do
  [ "$(identify -format %wx%h "$work/$shot.window.bmp")" = 1280x960 ] || fail "$shot: the window is not 1280x960"
  convert "$work/$shot.screen.bmp" -sample 200% "$work/$shot.doubled.png"
  n=$(differ "$work/$shot.window.bmp" "$work/$shot.doubled.png")
  [ "$n" = 0 ] || fail "$shot: $n window pixels are not the screen's doubled"
  # A black window would pass the comparison above: the picture has colour.
  colours=$(convert "$work/$shot.screen.bmp" -format %k info:)
  [ "$colours" -gt 16 ] || fail "$shot: only $colours colours on the screen"
done
n=$(differ "$work/stage.screen.bmp" "$work/sim-stage.png")
[ "$n" = 0 ] || fail "the stage frame differs from the simulator's in $n pixels"
echo "title and stage: the window is the screen doubled; the stage frame is the simulator's"
