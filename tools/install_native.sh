#!/usr/bin/env bash
# Puts the native ZARVEL into the user's application menu, under ~/.local:
#   ~/.local/lib/zarvel/         the program and its data files
#   ~/.local/bin/zarvel          a link to the program
#   ~/.local/share/applications/zarvel.desktop
#   ~/.local/share/icons/hicolor/48x48/apps/zarvel.png   the game's icon
# and records each of them, with a checksum of what it wrote, in
# ~/.local/lib/zarvel/installed.txt.
#   tools/install_native.sh [--uninstall]
# A file already there that it did not put there (your own ~/.local/bin/zarvel,
# say) is kept as it is and named; the rest goes in. --uninstall removes
# what the record names and is still as written (a desktop entry you edited
# stays), and the folders it made when they are left empty; the high scores
# in ~/.local/share/zarvel are the player's and stay. Builds build/native
# first when the program is missing (ZARVEL_NATIVE_BUILD names another
# built tree).
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

# What is at PATH now, as the record keeps it: "file SUM" (its content's
# SHA-256) or "link SUM" (of the link's target), nothing when there is none.
state_of() {
  if [ -L "$1" ]; then
    echo "link $(printf '%s' "$(readlink -- "$1")" | sha256sum | cut -d' ' -f1)"
  elif [ -f "$1" ]; then
    echo "file $(sha256sum <"$1" | cut -d' ' -f1)"
  fi
}

uninstall() {
  if [ ! -f "$record" ]; then
    say "nothing to remove (no $record)"
    return 0
  fi
  local line kind rest sum path folders=()
  while IFS= read -r line; do
    case $line in
      "file "* | "link "* | "dir "*)
        kind=${line%% *} rest=${line#* }
        sum=${rest%% *} path=${rest#* } ;;
      /*) kind=old sum= path=$line ;;  # an older record: paths alone
      *) continue ;;
    esac
    # Only what this script could have put there.
    case $kind:$path in
      *:"$prefix"/* | dir:"$prefix") ;;
      *) say "skipped, not under $prefix: $path"; continue ;;
    esac
    case $path in *..*) say "skipped: $path"; continue ;; esac
    case $kind in
      dir) folders+=("$path") ;;
      old) case $path in */) folders+=("${path%/}") ;; *) say "kept (no checksum recorded): $path" ;; esac ;;
      *)
        if [ "$(state_of "$path")" = "$kind $sum" ]; then
          rm -f -- "$path"
        elif [ -e "$path" ] || [ -L "$path" ]; then
          say "kept, changed since it was installed: $path"
        fi ;;
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

# Makes a folder and records each one it had to make.
make_folder() {
  local d=$1
  while [ ! -d "$d" ]; do
    echo "dir - $d" >>"$newrecord"
    d=$(dirname -- "$d")
  done
  mkdir -p -- "$1"
}

# Nothing is written over a path that is there already: after the old
# install's removal, whatever is left there is the user's.
free() {
  if [ -e "$1" ] || [ -L "$1" ]; then
    say "kept yours, not installed: $1"
    return 1
  fi
}

put() {  # put SOURCE TARGET [MODE]
  make_folder "$(dirname -- "$2")"
  free "$2" || return 0
  install -m "${3:-644}" -- "$1" "$2"
  echo "$(state_of "$2") $2" >>"$newrecord"
}

# The Exec value for one program: quoted whole, with ", `, $ and \ escaped
# inside the quotes, % written %%; then the backslashes doubled once more,
# as in every string value of a desktop entry.
desktop_exec() {
  local p=$1
  p=${p//\\/\\\\} p=${p//\"/\\\"} p=${p//\`/\\\`} p=${p//\$/\\\$} p=${p//%/%%}
  p="\"$p\""
  printf '%s' "${p//\\/\\\\}"
}

install_all() {
  case $prefix in *$'\n'*) say "a home folder with a line break in its name is not supported"; exit 1 ;; esac
  if [ ! -x "$build/zarvel" ] || [ ! -f "$build/data/font_.bmp" ]; then
    tools/install_deps.sh native desktop
    [ -f "$build/build.ninja" ] ||
      cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARVEL_NATIVE=ON -DZARVEL_BENCHMARKS=OFF
    cmake --build "$build" -j "${ZARVEL_JOBS:-2}" --target zarvel game_data
  fi
  command -v convert >/dev/null || tools/install_deps.sh desktop
  [ -f "$record" ] && uninstall >/dev/null  # a second install replaces the first
  newrecord=$(mktemp) made=$(mktemp -d)
  trap 'rm -rf -- "$newrecord" "$made"' EXIT
  make_folder "$home"
  put "$build/zarvel" "$home/zarvel" 755
  local f
  for f in "${data_files[@]}"; do put "$build/data/$f" "$home/data/$f"; done
  make_folder "$prefix/bin"
  if free "$prefix/bin/zarvel"; then
    ln -s -- "$home/zarvel" "$prefix/bin/zarvel"
    echo "$(state_of "$prefix/bin/zarvel") $prefix/bin/zarvel" >>"$newrecord"
  fi
  # The largest picture of the game's own icon, as a PNG.
  local largest
  largest=$(identify -format '%w %p\n' "$build/data/tzk.ico" | sort -n | tail -n1 | cut -d' ' -f2)
  convert "$build/data/tzk.ico[$largest]" -resize 48x48 "png32:$made/zarvel.png"
  put "$made/zarvel.png" "$prefix/share/icons/hicolor/48x48/apps/zarvel.png"
  cat >"$made/zarvel.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=ZARVEL
Comment=A horizontally scrolling arcade shooter
Comment[ja]=横スクロールシューティング
Exec=$(desktop_exec "$home/zarvel")
Icon=zarvel
Terminal=false
Categories=Game;ArcadeGame;
DESKTOP
  put "$made/zarvel.desktop" "$prefix/share/applications/zarvel.desktop"
  install -m 644 -- "$newrecord" "$record"
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
