#!/usr/bin/env bash
# The README's pictures, made by the simulator from the real game:
#   tools/screenshots.sh [OUT_DIR]          (default docs/screenshots)
# and, with --wine, the install dialog and the exit question on a Western
# system (LANG=C.UTF-8, code page 1252) as the end-to-end tests of
# build/win64 see them:
#   tools/screenshots.sh --wine [OUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = --wine ]; then
  out=${2:-docs/screenshots}
  dir=build/win64
  mkdir -p "$out"
  cmake --build "$dir" -j "${ZARVEL_JOBS:-2}"
  ctest --test-dir "$dir" -R '^e2e_locale_' --output-on-failure
  work=$dir/e2e/work
  # The 640 x 480 desktop, at the X screen's top left.
  convert "$work/e2e_locale_install_japanese_folder/install_dialog.png" -crop 640x480+0+0 +repage \
    "$out/install_dialog_western.png"
  convert "$work/e2e_locale_tzk_texts/exit_question.png" -crop 640x480+0+0 +repage \
    "$out/exit_question_western.png"
  ls -l "$out"/*_western.png
  exit 0
fi
out=${1:-docs/screenshots}
dir=build/host
[ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$dir" -j "${ZARVEL_JOBS:-2}" --target tzk-sim
mkdir -p "$out"
sim=$dir/tzk-sim
# Frame numbers count every frame waited for, the title's first one included.
"$sim" --keys tools/shots/title.keys --frames 200 --shot 150:"$out/title_screen.png"
"$sim" --stage 0 --keys tools/shots/stage0.keys --frames 1500 \
  --shot 200:"$out/stage0_early.png" --shot 1400:"$out/terrain_corridor.png"
"$sim" --stage 2 --keys tools/shots/stage2.keys --frames 3200 \
  --shot 2720:"$out/boss_attack.png" --shot 3150:"$out/fade_to_black.png"
ls -l "$out"
