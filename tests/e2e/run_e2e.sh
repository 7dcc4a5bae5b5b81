#!/usr/bin/env bash
# run_e2e.sh SCRIPT: runs one end-to-end test script (see README.md) with a
# private X display, a fresh Wine prefix copied from this build tree's
# template, and lib.sh's helpers. Exit code: the script's (0 passes).
#
# Environment: ZARVEL_E2E_BUILD (build tree, default: the current folder),
# ZARVEL_E2E_SRC (source tree), ZARVEL_E2E_TIMEOUT (seconds for the script,
# default 570, under ctest's 600 so that cleaning up still happens),
# ZARVEL_E2E_CASE (one of the cases a script lists in "# cases: ...").
set -u
t_begin=$EPOCHREALTIME
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
  echo "usage: $0 tests/e2e/e2e_NAME.sh" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
script=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
name=$(basename "$script" .sh)
CASE=${ZARVEL_E2E_CASE:-}
BUILD=$(cd "${ZARVEL_E2E_BUILD:-.}" && pwd)
SRC=$(cd "${ZARVEL_E2E_SRC:-$here/../..}" && pwd)
ZDRIVE=$BUILD/zdrive.exe
if [ ! -f "$ZDRIVE" ]; then
  echo "run_e2e: no $ZDRIVE: build the zdrive target" >&2
  exit 2
fi

wine_env_name=run_e2e
. "$SRC/tools/wine_env.sh"
wine_pick "$ZDRIVE" || exit $?

WORK=$BUILD/e2e/work/$name${CASE:+.$CASE}
# A script with cases runs once without one first: what it leaves in
# $SHARED its cases read.
SHARED=$BUILD/e2e/shared/$name
if [ -z "$CASE" ] && head -n 10 "$script" | grep -q '^# *cases:'; then
  rm -rf "$SHARED"
  mkdir -p "$SHARED"
fi
# A run killed outright may have left its (persistent) wineserver behind.
if [ -d "$WORK/prefix" ]; then
  WINEPREFIX=$WORK/prefix timeout 10 "$server" -k >/dev/null 2>&1
fi
rm -rf "$WORK"
mkdir -p "$WORK"
# The locale (and so the system code page) from a "# lang: LOCALE" line
# among the first ones: ja_JP.UTF-8 unless it says otherwise. Another locale
# has a template of its own, booted in it, as a user there has the prefix.
lang=$(head -n 10 "$script" | sed -n 's/^# *lang: *\([A-Za-z_.0-9-]*\).*/\1/p' | head -n1)
template=$BUILD/e2e/template-$arch${lang:+-$lang}
[ -z "$lang" ] || export ZARVEL_WINE_LANG=$lang
wine_export "$WORK" "$WORK/prefix"
DRIVE_C=$WINEPREFIX/drive_c

# The desktop size comes from a "# desktop: WxH" line among the first ones.
desktop=$(head -n 10 "$script" | sed -n 's/^# *desktop: *\([0-9]*x[0-9]*\).*/\1/p' | head -n1)
desktop=${desktop:-640x480}

xvfb_pid=""
cleanup() {
  exec 7>&- 8<&-
  timeout 10 "$server" -k >/dev/null 2>&1
  timeout 10 "$server" -w >/dev/null 2>&1
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM
# The X screen is a little larger than the desktop, as a monitor would be.
wine_start_xvfb "$WORK/xvfb.fd" 1024x768x24 || exit 125

wine_template "$template" "$lang" || { echo "run_e2e: no template prefix" >&2; exit 125; }
wine_copy_prefix "$template" "$WINEPREFIX" || { echo "run_e2e: cannot copy the template" >&2; exit 125; }
sed -i "s/^\"zarvel\"=\"[0-9]*x[0-9]*\"/\"zarvel\"=\"$desktop\"/" "$WINEPREFIX/user.reg"
# Services no test calls on, which each Wine start would otherwise start:
# plug and play, the network's two drivers and the event log, and the
# drivers of the USB and HID buses (no devices here; their winedevice.exe
# keeps a thread of libusb awake all through the test): together a third
# of a test's start-up. Only the tests go without them: a player's prefix
# (tools/wine_run.sh) keeps them for a gamepad.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winebus.sys,wineusb.sys=d"
awk '
  /^\[/ { off = $0 ~ /^\[System\\\\CurrentControlSet\\\\Services\\\\(PlugPlay|NDIS|nsiproxy|Eventlog)\]/ }
  off && /^"Start"=dword:/ { $0 = "\"Start\"=dword:00000004" }
  { print }' "$WINEPREFIX/system.reg" >"$WINEPREFIX/system.reg.new" &&
  mv "$WINEPREFIX/system.reg.new" "$WINEPREFIX/system.reg" || exit 125

# One wineserver for the whole test, so that process ids and windows stay
# valid between zdrive calls; a first call brings up the desktop and Wine's
# own services with no pipe of ours attached.
"$server" -p >/dev/null 2>&1
timeout 60 "$loader" "$ZDRIVE" list >/dev/null 2>&1

# The script's zdrive commands go to one zdrive of the test's (lib.sh's zd).
mkfifo "$WORK/zd.in" "$WORK/zd.out" || exit 125
"$loader" "$ZDRIVE" serve <"$WORK/zd.in" >"$WORK/zd.out" 2>"$WORK/zd-serve.log" &
ZD_SERVER=$!
exec 7>"$WORK/zd.in" 8<"$WORK/zd.out"

WINPROFILE=$DRIVE_C/users/$(id -un)
export BUILD SRC WORK DRIVE_C WINPROFILE ZDRIVE CASE SHARED ZD_SERVER
t_ready=$EPOCHREALTIME
timeout -k 5 "${ZARVEL_E2E_TIMEOUT:-570}" bash -c '
  set -e
  . "$1"
  cd "$WORK"
  . "$2"' run_e2e "$here/lib.sh" "$script"
rc=$?
t_done=$EPOCHREALTIME
secs() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", b - a }'; }
name=$name${CASE:+.$CASE}
echo "run_e2e: $name: set-up $(secs "$t_begin" "$t_ready") s, script $(secs "$t_ready" "$t_done") s" >&2
if [ $rc -ne 0 ]; then
  [ $rc -eq 124 ] && echo "run_e2e: $name timed out" >&2
  # What the screen and the windows looked like when it failed. A screen
  # that cannot be taken says whether the X server was still there.
  if said=$(timeout 20 import -display "$DISPLAY" -window root "$WORK/failure.png" 2>&1); then
    screen="screen: failure.png"
  else
    kill -0 "$xvfb_pid" 2>/dev/null && xvfb=running || xvfb=gone
    screen="no screen: import said '${said:-nothing}'; Xvfb $xvfb, its log xvfb.log"
  fi
  echo "run_e2e: $name failed ($rc); windows at the end:" >&2
  timeout 20 "$loader" "$ZDRIVE" list 2>/dev/null | awk -F'\t' '$5 == 1' >&2
  echo "run_e2e: kept $WORK ($screen)" >&2
fi
exit $rc
