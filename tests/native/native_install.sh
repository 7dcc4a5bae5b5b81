#!/usr/bin/env bash
# tools/install_native.sh puts the program, its data, a desktop entry and
# the icon under ~/.local; --uninstall takes exactly those away, and leaves
# the player's scores and anything else in the same folders.
set -euo pipefail
build=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
export HOME=$work/home ZARVEL_NATIVE_BUILD=$build
mkdir -p "$HOME/.local/share/applications" "$HOME/.local/share/zarvel" "$HOME/.local/bin"
echo mine >"$HOME/.local/share/applications/other.desktop"
echo scores >"$HOME/.local/share/zarvel/score.dat"
before=$(cd "$HOME" && find . | sort)

"$root/tools/install_native.sh" >/dev/null
l=$HOME/.local
for f in lib/zarvel/zarvel lib/zarvel/data/font_.bmp lib/zarvel/data/sadness.mds lib/zarvel/data/shot5.wav \
  share/applications/zarvel.desktop share/icons/hicolor/48x48/apps/zarvel.png; do
  [ -s "$l/$f" ] || fail "not installed: $f"
done
[ "$(readlink "$l/bin/zarvel")" = "$l/lib/zarvel/zarvel" ] || fail "bin/zarvel is no link to the program"
[ "$(identify -format %wx%h "$l/share/icons/hicolor/48x48/apps/zarvel.png")" = 48x48 ] || fail "icon size"
grep -qx "Exec=$l/lib/zarvel/zarvel" "$l/share/applications/zarvel.desktop" || fail "desktop entry's Exec"
grep -qx 'Icon=zarvel' "$l/share/applications/zarvel.desktop" || fail "desktop entry's Icon"
# The installed copy finds its data beside itself: a scripted run plays.
printf '0 fire\n' >"$work/keys.txt"
(cd / && "$l/bin/zarvel" --keys "$work/keys.txt" --frames 120 --hash "$work/h.txt") || fail "the installed program did not run"
[ "$(wc -l <"$work/h.txt")" -eq 120 ] || fail "the installed program did not play"
"$root/tools/install_native.sh" >/dev/null  # again: replaces, records once
files=$(grep -vc '/$' "$l/lib/zarvel/installed.txt")
[ "$files" -eq 24 ] || fail "the record names $files files, not 24"

# A planted line outside ~/.local is not followed.
echo "$work/victim" >>"$l/lib/zarvel/installed.txt"
echo keep >"$work/victim"
"$root/tools/install_native.sh" --uninstall >/dev/null
[ -f "$work/victim" ] || fail "uninstall removed a file outside ~/.local"
after=$(cd "$HOME" && find . | sort)
[ "$before" = "$after" ] || fail "left behind or taken: $(diff <(echo "$before") <(echo "$after"))"
"$root/tools/install_native.sh" --uninstall | grep -q 'nothing to remove' || fail "a second uninstall"
echo "installed 24 paths, ran the installed copy, removed exactly them"
