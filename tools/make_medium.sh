#!/usr/bin/env bash
# make_medium.sh [win32|win64] [BUILD_DIR]
#
# Builds ZARVEL's installation medium from a Windows build tree (default
# win32, the release): build/<tree>/medium/ holds setup.exe, setup.ini,
# setup.bmp, readme.txt, tzk.exe and every data file the setup.ini installs,
# and build/<tree>/zarvel-medium.zip is the same folder as one file.
#
# setup.ini and readme.txt are kept in UTF-8 with LF in assets/medium/; the
# medium gets them in Shift-JIS with CR LF, the bytes the programs read.
# Every file the [Install] list names must exist, or nothing is written.
# BUILD_DIR, when given, is the build tree to use instead of build/<tree>.
# ZARVEL_MEDIUM_ALLOW_MISSING=1 (for trying a tree that lacks some data)
# leaves missing files out of the medium's [Install] list instead, and says
# which; such a medium is not the product.
set -euo pipefail

tree=${1:-win32}
case "$tree" in
  win32) toolchain=cmake/mingw-i686.cmake ;;
  win64) toolchain=cmake/mingw-x86_64.cmake ;;
  *) echo "usage: $0 [win32|win64]" >&2; exit 2 ;;
esac
src=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$src/build/$tree}
mkdir -p "$build"
build=$(cd "$build" && pwd)
medium=$build/medium
zipfile=$build/zarvel-medium.zip

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$src/$toolchain" >/dev/null
fi
# Only what the medium carries: the two programs and the data files.
available=$(cmake --build "$build" --target help 2>/dev/null | sed -n 's/^\([A-Za-z0-9_.-]*\): .*/\1/p')
targets=()
for t in setup tzk game_data sound_data music_data; do
  if grep -qx "$t" <<<"$available"; then targets+=("$t"); fi
done
if [ ${#targets[@]} -gt 0 ]; then
  cmake --build "$build" --target "${targets[@]}" -j2 >/dev/null
fi

to_medium_text() {  # UTF-8 with LF -> Shift-JIS with CR LF
  iconv -f UTF-8 -t CP932 "$1" | sed 's/$/\r/' > "$2"
}

# The [Install] list's file entries: neither comments, directives nor blanks.
install_entries() {
  awk '
    /^[ \t]*\[/ { in_list = ($0 ~ /^[ \t]*\[[ \t]*[Ii][Nn][Ss][Tt][Aa][Ll][Ll][ \t]*\]/); next }
    in_list {
      sub(/;.*/, ""); sub(/^[ \t]+/, ""); sub(/[ \t]+$/, "")
      if ($0 != "" && substr($0, 1, 1) != ".") print
    }' "$1"
}

find_file() {  # where a file for the medium comes from
  local name=$1
  for dir in "$build" "$build/setup" "$build/data" "$src/assets/medium"; do
    if [ -f "$dir/$name" ]; then echo "$dir/$name"; return 0; fi
  done
  return 1
}

missing=()
for name in setup.exe setup.bmp $(install_entries "$src/assets/medium/setup.ini"); do
  case "$name" in setup.ini|readme.txt) continue ;; esac
  find_file "$name" >/dev/null || missing+=("$name")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "${ZARVEL_MEDIUM_ALLOW_MISSING:-}" != 1 ]; then
    echo "make_medium: not in $build: ${missing[*]}" >&2
    exit 1
  fi
  echo "make_medium: INCOMPLETE medium, left out: ${missing[*]}" >&2
fi

rm -rf "$medium" "$zipfile"
mkdir -p "$medium"
ini=$src/assets/medium/setup.ini
if [ ${#missing[@]} -gt 0 ]; then
  ini=$build/setup-incomplete.ini
  grep -vxF -f <(printf '%s\n' "${missing[@]}") "$src/assets/medium/setup.ini" > "$ini"
fi
to_medium_text "$ini" "$medium/setup.ini"
to_medium_text "$src/assets/medium/readme.txt" "$medium/readme.txt"
for name in setup.exe setup.bmp $(install_entries "$ini"); do
  case "$name" in setup.ini|readme.txt) continue ;; esac
  cp "$(find_file "$name")" "$medium/$name"
done

# The installer's own check of the finished medium, when this tree's host
# twin has built it.
check=$src/build/host/setup/setup-check
if [ -x "$check" ]; then
  "$check" --medium "$medium" "$medium/setup.ini" > "$build/medium-check.txt" || {
    echo "make_medium: setup-check reports problems, see $build/medium-check.txt" >&2
    exit 1
  }
fi

(cd "$medium" && cmake -E tar cf "$zipfile" --format=zip -- *)
echo "$medium"
echo "$zipfile"
