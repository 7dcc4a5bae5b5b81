#!/usr/bin/env bash
# Puts the native ZARVEL into the user's application menu, under ~/.local:
#   ~/.local/lib/zarvel/         the program and its data files
#   ~/.local/bin/zarvel          a link to the program
#   ~/.local/share/applications/zarvel.desktop
#   ~/.local/share/icons/hicolor/48x48/apps/zarvel.png   the game's icon
# and records each of them in ~/.local/lib/zarvel/installed.txt.
#   tools/install_native.sh [--uninstall]
# --uninstall removes exactly what that record names (and the folders it
# made, when they are left empty); the high scores in ~/.local/share/zarvel
# are the player's and stay. Builds build/native first when the program is
# missing (ZARVEL_NATIVE_BUILD names another built tree).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${ZARVEL_NATIVE_BUILD:-build/native}
prefix=$HOME/.local
home=$prefix/lib/zarvel
record=$home/installed.txt
data_files=(Fighters.mds sadness.mds back_.bmp back2_.bmp block1_.bmp boss1_.bmp comm_.bmp
  enamy1_.bmp font_.bmp Kin.wav bon.wav boon.wav damege.wav flash.wav kin2.wav
  shot1.wav shot2.wav shot3.wav shot4.wav shot5.wav)

say() { echo "install_native: $*"; }

uninstall() {
  if [ ! -f "$record" ]; then
    say "nothing to remove (no $record)"
    return 0
  fi
  local path folders=()
  while IFS= read -r path; do
    # Only what this script could have put there.
    case $path in
      "$prefix"/*) ;;
      *) say "skipped, not under $prefix: $path"; continue ;;
    esac
    case $path in *..*) say "skipped: $path"; continue ;; esac
    case $path in
      */) folders+=("${path%/}") ;;
      *) if [ -L "$path" ] || [ -f "$path" ]; then rm -f -- "$path"; fi ;;
    esac
  done <"$record"
  rm -f -- "$record"
  # The folders it made, deepest first, when nothing else is in them.
  printf '%s\n' "${folders[@]}" | sort -ur | while IFS= read -r f; do
    [ -n "$f" ] && rmdir -- "$f" 2>/dev/null || true
  done
  if command -v update-desktop-database >/dev/null 2>&1; then
    update-desktop-database "$prefix/share/applications" 2>/dev/null || true
  fi
  say "removed"
}

# Makes a folder and records each one it had to make, as "PATH/".
make_folder() {
  local d=$1
  while [ ! -d "$d" ]; do
    echo "$d/" >>"$newrecord"
    d=$(dirname -- "$d")
  done
  mkdir -p -- "$1"
}

put() {  # put SOURCE TARGET [MODE]
  make_folder "$(dirname -- "$2")"
  install -m "${3:-644}" -- "$1" "$2"
  echo "$2" >>"$newrecord"
}

install_all() {
  if [ ! -x "$build/zarvel" ] || [ ! -f "$build/data/font_.bmp" ]; then
    tools/install_deps.sh
    [ -f "$build/build.ninja" ] ||
      cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARVEL_NATIVE=ON -DZARVEL_BENCHMARKS=OFF
    cmake --build "$build" -j "${ZARVEL_JOBS:-2}" --target zarvel game_data
  fi
  [ -f "$record" ] && uninstall >/dev/null  # a second install replaces the first
  newrecord=$(mktemp)
  make_folder "$home"
  put "$build/zarvel" "$home/zarvel" 755
  local f
  for f in "${data_files[@]}"; do put "$build/data/$f" "$home/data/$f"; done
  make_folder "$prefix/bin"
  ln -sfn "$home/zarvel" "$prefix/bin/zarvel"
  echo "$prefix/bin/zarvel" >>"$newrecord"
  local icon=$prefix/share/icons/hicolor/48x48/apps/zarvel.png
  make_folder "$(dirname "$icon")"
  # The largest picture of the game's own icon, as a PNG.
  local largest
  largest=$(identify -format '%w %p\n' "$build/data/tzk.ico" | sort -n | tail -n1 | cut -d' ' -f2)
  convert "$build/data/tzk.ico[$largest]" -resize 48x48 "png32:$icon"
  echo "$icon" >>"$newrecord"
  local desktop=$prefix/share/applications/zarvel.desktop
  make_folder "$(dirname "$desktop")"
  cat >"$desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=ZARVEL
Comment=A horizontally scrolling arcade shooter
Comment[ja]=横スクロールシューティング
Exec=$home/zarvel
Icon=zarvel
Terminal=false
Categories=Game;ArcadeGame;
DESKTOP
  echo "$desktop" >>"$newrecord"
  install -m 644 -- "$newrecord" "$record"
  rm -f -- "$newrecord"
  if command -v update-desktop-database >/dev/null 2>&1; then
    update-desktop-database "$prefix/share/applications" 2>/dev/null || true
  fi
  say "installed: ZARVEL is in the application menu; $prefix/bin/zarvel starts it"
}

case ${1:-} in
  "") install_all ;;
  --uninstall) uninstall ;;
  *) echo "usage: tools/install_native.sh [--uninstall]" >&2; exit 2 ;;
esac
