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

# PE32 or PE32+: the optional header's magic, 0x10b or 0x20b, lies 24 bytes
# after the PE signature, whose offset is at 0x3c.
pe_magic() {
  local off
  off=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$off" ] || return 1
  od -An -tx2 -j$((off + 24)) -N2 "$1" 2>/dev/null | tr -d ' '
}
wine_dir=/usr/lib/wine
case "$(pe_magic "$program")" in
  20b|020b)
    arch=win64
    loader=$wine_dir/wine64
    server=$wine_dir/wineserver64
    [ -x "$loader" ] || loader=$(command -v wine64 || echo "$loader")
    ;;
  10b|010b)
    arch=win32
    loader=$wine_dir/wine
    server=$wine_dir/wineserver32
    # The 32-bit loader is itself an i386 program: where the kernel runs no
    # 32-bit code (or wine32 is absent) nothing 32-bit can start.
    if ! "$loader" --version >/dev/null 2>&1; then
      echo "wine_run: this machine runs no 32-bit programs" >&2
      exit 77
    fi
    ;;
  *)
    echo "wine_run: not a Windows program: $program" >&2
    exit 2
    ;;
esac
[ -x "$server" ] || server=$wine_dir/wineserver
[ -x "$server" ] || server=$(command -v wineserver)

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
mkdir -p "$root/home"
root=$(cd "$root" && pwd)

export WINEPREFIX=$root/prefix-$arch
export WINEARCH=$arch
export WINELOADER=$loader
export WINESERVER=$server
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export HOME=$root/home
export XDG_CONFIG_HOME=$HOME/.config
export XDG_DATA_HOME=$HOME/.local/share
export XDG_CACHE_HOME=$HOME/.cache
# A calls give Shift-JIS only when the system code page is 932.
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
# No PulseAudio server here; keep libpulse from trying to start one.
export PULSE_SERVER=none

# DirectSound wants an ALSA device; a null one is enough.
cat > "$HOME/.asoundrc" <<'EOF'
pcm.!default { type null }
ctl.!default { type hw card 0 }
EOF

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

start_xvfb() {
  local fifo displayno
  fifo=$root/xvfb.fd
  rm -f "$fifo"
  mkfifo "$fifo"
  # -displayfd makes Xvfb pick a free display and tell us which.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
    3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  displayno=$(timeout 20 head -n1 "$fifo")
  rm -f "$fifo"
  if [ -z "$displayno" ]; then
    echo "wine_run: Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=:$displayno
}
if [ -z "${DISPLAY:-}" ]; then
  start_xvfb || exit 125
fi

if [ ! -f "$WINEPREFIX/system.reg" ] || [ ! -f "$WINEPREFIX.ok" ]; then
  rm -rf "$WINEPREFIX" "$WINEPREFIX.ok"
  if ! timeout 180 "$loader" wineboot -i >/dev/null 2>&1; then
    echo "wine_run: wineboot failed for $WINEPREFIX" >&2
    exit 125
  fi
  # Sound goes to ALSA (our null device), never to a PulseAudio lookup.
  timeout 60 "$loader" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f \
    >/dev/null 2>&1
  timeout 30 "$server" -w >/dev/null 2>&1
  touch "$WINEPREFIX.ok"
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
