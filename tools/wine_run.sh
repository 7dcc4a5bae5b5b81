#!/usr/bin/env bash
# wine_run.sh PROGRAM.exe [ARGS...]
#
# Runs one Windows program under Wine without a person at the keyboard and
# passes its exit code through. A 64-bit program (PE32+) runs under the 64-bit
# Wine in a win64 prefix, a 32-bit one (PE32) under the 32-bit Wine in a win32
# prefix; where this machine cannot run 32-bit code at all, a PE32 program
# ends at once with exit code 77 and one line that says so. Everything Wine touches is ours: the prefix,
# HOME (for the null ALSA device), and, without a DISPLAY, a private Xvfb.
#
# Environment it honours:
#   ZARVEL_WINE_DIR      folder for prefix and HOME (default: the build tree
#                        holding PROGRAM, else a temp folder removed at exit)
#   ZARVEL_WINE_TIMEOUT  seconds before the program is killed (default 300)
#   ZARVEL_WINE_DESKTOP  e.g. 640x480: run inside a Wine virtual desktop of
#                        that size (DirectDraw mode changes need one on Xvfb)
#   ZARVEL_WINE_KEEP=1   leave wineserver running at exit (faster next run,
#                        only when you keep your own DISPLAY)
set -u

if [ $# -lt 1 ]; then
  echo "usage: $0 PROGRAM.exe [ARGS...]" >&2
  exit 2
fi
program=$1
shift
if [ ! -f "$program" ]; then
  echo "wine_run: no such program: $program" >&2
  exit 2
fi
program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")
timeout_s=${ZARVEL_WINE_TIMEOUT:-300}

wine_env_name=wine_run
. "$(dirname "$0")/wine_env.sh"
wine_pick "$program" || exit $?

# The build tree is the folder above the program holding CMakeCache.txt; its
# prefix survives between runs, so only the first run pays the ~15 s start.
find_build_dir() {
  local d
  d=$(dirname "$program")
  while [ "$d" != "/" ]; do
    if [ -f "$d/CMakeCache.txt" ]; then echo "$d"; return 0; fi
    d=$(dirname "$d")
  done
  return 1
}

tmp_root=""
if [ -n "${ZARVEL_WINE_DIR:-}" ]; then
  root=$ZARVEL_WINE_DIR
elif build_dir=$(find_build_dir); then
  root=$build_dir/wine
else
  tmp_root=$(mktemp -d "${TMPDIR:-/tmp}/zarvel-wine.XXXXXX")
  root=$tmp_root
fi
mkdir -p "$root"
root=$(cd "$root" && pwd)
wine_export "$root" "$root/prefix-$arch"

xvfb_pid=""
cleanup() {
  if [ -z "${ZARVEL_WINE_KEEP:-}" ] || [ -n "$xvfb_pid" ]; then
    timeout 10 "$server" -k >/dev/null 2>&1
    timeout 10 "$server" -w >/dev/null 2>&1
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  if [ -n "$tmp_root" ]; then rm -rf "$tmp_root"; fi
}

# One run at a time per prefix: the wineserver of a prefix is bound to the
# X display it first saw, and we stop it at the end of every run.
exec 9>"$root/lock"
if ! flock -w "$timeout_s" 9; then
  echo "wine_run: prefix $root busy for ${timeout_s}s" >&2
  exit 124
fi
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ -z "${DISPLAY:-}" ]; then
  wine_start_xvfb "$root/xvfb.fd" || exit 125
fi

# In a build tree the prefix is a copy of the tree's template, which the
# end-to-end tests share, so a tree boots Wine once; elsewhere it is booted
# here. A new Wine version makes it anew.
version=$("$loader" --version 2>/dev/null)
if [ ! -f "$WINEPREFIX/system.reg" ] || [ "$(cat "$WINEPREFIX.ok" 2>/dev/null)" != "$version" ]; then
  rm -rf "$WINEPREFIX" "$WINEPREFIX.ok" "$WINEPREFIX.desktop"
  if [ -n "${build_dir:-}" ] && [ -z "${ZARVEL_WINE_DIR:-}" ]; then
    template=$build_dir/e2e/template-$arch
    wine_template "$template" && wine_copy_prefix "$template" "$WINEPREFIX" || exit 125
    echo 640x480 > "$WINEPREFIX.desktop"  # the template's desktop
  else
    wine_boot || exit 125
  fi
  echo "$version" > "$WINEPREFIX.ok"
fi

# The virtual desktop is a prefix setting rather than `explorer /desktop=`,
# which would swallow the program's exit code. Change it only when the
# wanted mode differs from the last run's.
desktop=${ZARVEL_WINE_DESKTOP:-}
if [ "$desktop" != "$(cat "$WINEPREFIX.desktop" 2>/dev/null)" ]; then
  key='HKCU\Software\Wine\Explorer'
  if [ -n "$desktop" ]; then
    timeout 60 "$loader" reg add "$key" /v Desktop /d zarvel /f >/dev/null 2>&1 &&
    timeout 60 "$loader" reg add "$key\Desktops" /v zarvel /d "$desktop" /f \
      >/dev/null 2>&1
  else
    timeout 60 "$loader" reg delete "$key" /v Desktop /f >/dev/null 2>&1
  fi
  echo "$desktop" > "$WINEPREFIX.desktop"
fi

timeout -k 10 "$timeout_s" "$loader" "$program" "$@"
rc=$?
if [ $rc -eq 124 ] || [ $rc -eq 137 ]; then
  echo "wine_run: $(basename "$program") killed after ${timeout_s}s" >&2
fi
exit $rc
