#!/usr/bin/env bash
# tools/install_native.sh puts the program, its data, a desktop entry and
# the icon under ~/.local (a home folder with a space in its name here);
# --uninstall takes exactly those away. What the user had there is never
# written over, and what the user changed after installing stays.
set -euo pipefail
build=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
export HOME="$work/my home" ZARVEL_NATIVE_BUILD=$build
l=$HOME/.local
install_native() { "$root/tools/install_native.sh" "$@"; }
# Every path with its type, and every file's content.
snapshot() { (cd "$HOME" && find . -printf '%y %p\n' | sort && find . -type f -exec sha256sum {} + | sort -k2); }

mkdir -p "$l/share/applications" "$l/share/zarvel"
echo mine >"$l/share/applications/other.desktop"
echo scores >"$l/share/zarvel/score.dat"
before=$(snapshot)

# A home without ZARVEL: everything goes in, and the desktop can start it.
install_native >/dev/null
for f in lib/zarvel/zarvel lib/zarvel/data/font_.bmp lib/zarvel/data/sadness.mds lib/zarvel/data/shot5.wav \
  share/applications/zarvel.desktop share/icons/hicolor/48x48/apps/zarvel.png; do
  [ -s "$l/$f" ] || fail "not installed: $f"
done
[ "$(readlink "$l/bin/zarvel")" = "$l/lib/zarvel/zarvel" ] || fail "bin/zarvel is no link to the program"
[ "$(identify -format %wx%h "$l/share/icons/hicolor/48x48/apps/zarvel.png")" = 48x48 ] || fail "icon size"
# The path holds a space: quoted whole, as desktop entries require.
grep -qxF "Exec=\"$l/lib/zarvel/zarvel\"" "$l/share/applications/zarvel.desktop" ||
  fail "desktop entry's Exec: $(grep Exec= "$l/share/applications/zarvel.desktop")"
grep -qx 'Icon=zarvel' "$l/share/applications/zarvel.desktop" || fail "desktop entry's Icon"
# The installed copy finds its data beside itself: a scripted run plays.
printf '0 fire\n' >"$work/keys.txt"
(cd / && "$l/bin/zarvel" --keys "$work/keys.txt" --frames 120 --hash "$work/h.txt") || fail "the installed program did not run"
[ "$(wc -l <"$work/h.txt")" -eq 120 ] || fail "the installed program did not play"
install_native >/dev/null  # again: replaces, records once
files=$(grep -c '^file \|^link ' "$l/lib/zarvel/installed.txt" || true)
[ "$files" -eq 24 ] || fail "the record names $files files, not 24"

# Unchanged, it all goes; a planted line outside ~/.local is not followed.
echo keep >"$work/victim"
echo "file $(sha256sum <"$work/victim" | cut -d' ' -f1) $work/victim" >>"$l/lib/zarvel/installed.txt"
install_native --uninstall >/dev/null
[ -f "$work/victim" ] || fail "uninstall removed a file outside ~/.local"
[ "$before" = "$(snapshot)" ] || fail "left behind or taken: $(diff <(echo "$before") <(snapshot))"
install_native --uninstall | grep -q 'nothing to remove' || fail "a second uninstall"

# The user's own bin/zarvel and desktop entry: kept and named, the rest
# installed; an installed file the user changed stays at uninstall.
mkdir -p "$l/bin"
printf '#!/bin/sh\necho my own\n' >"$l/bin/zarvel"
printf '[Desktop Entry]\nName=my own\n' >"$l/share/applications/zarvel.desktop"
before=$(snapshot)
said=$(install_native)
for f in bin/zarvel share/applications/zarvel.desktop; do
  grep -qxF "install_native: kept yours, not installed: $l/$f" <<<"$said" || fail "not named as kept: $f ($said)"
done
[ -x "$l/lib/zarvel/zarvel" ] || fail "the program was not installed beside the user's files"
icon=$l/share/icons/hicolor/48x48/apps/zarvel.png
echo "edited" >>"$icon"
said=$(install_native --uninstall)
grep -qxF "install_native: kept, changed since it was installed: $icon" <<<"$said" || fail "the edited icon: $said"
[ -f "$icon" ] || fail "uninstall removed a file the user changed"
[ ! -e "$l/lib/zarvel" ] || fail "uninstall left $(ls -R "$l/lib/zarvel")"
rm "$icon"
rmdir -p "$(dirname "$icon")" 2>/dev/null || true
[ "$before" = "$(snapshot)" ] || fail "the user's files: $(diff <(echo "$before") <(snapshot))"
echo "installed 24 paths under a home with a space, ran the copy, removed exactly them; kept the user's own and edited files"
