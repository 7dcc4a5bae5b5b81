# wine_env.sh: sourced by the scripts that run Windows programs under Wine
# (tools/wine_run.sh, tests/e2e/run_e2e.sh). Everything Wine touches is
# ours: the prefix, HOME (for the null ALSA device), the X display.
# Messages start with "$wine_env_name: ".

wine_env_name=${wine_env_name:-wine}
wine_dir=/usr/lib/wine

# PE32 or PE32+: the optional header's magic, 0x10b or 0x20b, lies 24 bytes
# after the PE signature, whose offset is at 0x3c.
pe_magic() {
  local off
  off=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$off" ] || return 1
  od -An -tx2 -j$((off + 24)) -N2 "$1" 2>/dev/null | tr -d ' '
}

# wine_pick PROGRAM: sets arch (win64/win32), loader and server for the kind
# of program. Returns 2 for a file that is no Windows program, 77 for a
# 32-bit one where this machine runs no 32-bit code.
wine_pick() {
  case "$(pe_magic "$1")" in
    020b) wine_arch win64 ;;
    010b) wine_arch win32 ;;
    *)
      echo "$wine_env_name: not a Windows program: $1" >&2
      return 2
      ;;
  esac
}

# wine_arch win64|win32: sets arch, loader and server as wine_pick does.
wine_arch() {
  arch=$1
  case "$arch" in
    win64)
      loader=$wine_dir/wine64
      server=$wine_dir/wineserver64
      [ -x "$loader" ] || loader=$(command -v wine64 || echo "$loader")
      ;;
    win32)
      loader=$wine_dir/wine
      server=$wine_dir/wineserver32
      # The 32-bit loader is itself an i386 program: where the kernel runs no
      # 32-bit code (or wine32 is absent) nothing 32-bit can start.
      if ! "$loader" --version >/dev/null 2>&1; then
        echo "$wine_env_name: this machine runs no 32-bit programs" >&2
        return 77
      fi
      ;;
  esac
  [ -x "$server" ] || server=$wine_dir/wineserver
  [ -x "$server" ] || server=$(command -v wineserver)
  return 0
}

# wine_export ROOT PREFIX: the environment of every Wine call (after
# wine_pick); HOME is ROOT/home.
wine_export() {
  mkdir -p "$1/home"
  export WINEPREFIX=$2
  export WINEARCH=$arch
  export WINELOADER=$loader
  export WINESERVER=$server
  # Wine's own log is off; ZARVEL_WINEDEBUG=+timestamp,... turns channels on.
  export WINEDEBUG=${ZARVEL_WINEDEBUG:--all}
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
  export HOME=$1/home
  export XDG_CONFIG_HOME=$HOME/.config
  export XDG_DATA_HOME=$HOME/.local/share
  export XDG_CACHE_HOME=$HOME/.cache
  # The system code page follows the locale: 932 on the Japanese system the
  # programs were made for; ZARVEL_WINE_LANG=C.UTF-8 gives a Western one
  # (1252), as most people who run Wine have.
  export LANG=${ZARVEL_WINE_LANG:-ja_JP.UTF-8}
  export LC_ALL=$LANG
  # No PulseAudio server here; keep libpulse from trying to start one.
  export PULSE_SERVER=none
  # DirectSound wants an ALSA device; a null one is enough.
  cat > "$HOME/.asoundrc" <<'EOA'
pcm.!default { type null }
ctl.!default { type hw card 0 }
EOA
}

# wine_start_xvfb FIFO [WxHxD]: a private X server on a free display; sets
# DISPLAY and xvfb_pid. What the server says goes beside FIFO (NAME.log for
# NAME.fd).
wine_start_xvfb() {
  local fifo=$1 displayno
  rm -f "$fifo"
  mkfifo "$fifo" || return 1
  # -displayfd makes Xvfb pick a free display and tell us which. Without
  # the shared-memory extension the game's frames come over the socket:
  # with it, the server attached and dropped a fresh segment some 80 times
  # a second while the game played, faulting its pages in each time, which
  # cost three times the copy (2.1 against 0.7 processor seconds in a short
  # game test).
  Xvfb -displayfd 3 -screen 0 "${2:-1024x768x24}" -nolisten tcp -noreset -extension MIT-SHM \
    3>"$fifo" >/dev/null 2>"${fifo%.fd}.log" &
  xvfb_pid=$!
  displayno=$(timeout 60 head -n1 "$fifo")
  rm -f "$fifo"
  if [ -z "$displayno" ]; then
    echo "$wine_env_name: Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=:$displayno
}

# wine_boot: creates $WINEPREFIX and waits until its wineserver has ended.
wine_boot() {
  if ! timeout 180 "$loader" wineboot -i >/dev/null 2>&1; then
    echo "$wine_env_name: wineboot failed for $WINEPREFIX" >&2
    return 1
  fi
  # Sound goes to ALSA (our null device), never to a PulseAudio lookup.
  timeout 60 "$loader" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f \
    >/dev/null 2>&1
  timeout 120 "$server" -w >/dev/null 2>&1
  return 0
}

# wine_template DIR [LANG]: a booted prefix in DIR (after wine_pick, with a
# DISPLAY), made once per build tree and Wine version (recorded in DIR.ok),
# with the settings every run wants: no crash dialog, a 640x480 virtual
# desktop. Booted in LANG's locale (default ja_JP.UTF-8), as a user of that
# system has it: its fonts and their links follow the system code page. Booting costs ~15 s; a copy (wine_copy_prefix) well under one.
# Runs that start together wait for the one that boots.
wine_template() {
  mkdir -p "$(dirname "$1")"
  (
    flock -w 240 9 || { echo "$wine_env_name: template $1 busy" >&2; exit 1; }
    wine_make_template "$1" "${2:-}"
  ) 9>"$1.lock"
}

wine_make_template() {
  local template=$1 want
  # The Wine version and the settings below: a template of either older
  # one is booted again.
  want="$("$loader" --version 2>/dev/null) csmt-off"
  if [ -f "$template/system.reg" ] && [ "$(cat "$template.ok" 2>/dev/null)" = "$want" ]; then
    return 0
  fi
  rm -rf "$template" "$template.ok" "$template.home"
  (
    if [ -n "$2" ]; then export ZARVEL_WINE_LANG=$2; else unset ZARVEL_WINE_LANG; fi
    wine_export "$template.home" "$template"
    wine_boot || exit 1
    reg() { timeout 60 "$loader" reg add "$@" /f >/dev/null 2>&1; }
    # A crashing program ends; no debugger dialog waits for a click.
    reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 &&
    reg 'HKCU\Software\Wine\Explorer' /v Desktop /d zarvel &&
    reg 'HKCU\Software\Wine\Explorer\Desktops' /v zarvel /d 640x480 &&
    # Direct3D draws on the calling thread: with its own drawing thread the
    # game thread and that thread spin for each other, and a game beside
    # other tests burns two cores and crawls (see the README's frame pacing).
    reg 'HKCU\Software\Wine\Direct3D' /v csmt /t REG_DWORD /d 0 || exit 1
    timeout 120 "$server" -w >/dev/null 2>&1
  ) || return 1
  # Wine links Desktop, Documents... to the booting user's home; every copy
  # gets folders of its own instead, so shortcuts land inside its prefix.
  find "$template/drive_c/users" -type l | while read -r link; do
    rm -f "$link" && mkdir -p "$link"
  done
  echo "$want" > "$template.ok"
}

# wine_copy_prefix TEMPLATE PREFIX: the system's programs, libraries and theme
# (nearly all of the prefix's 700 MB) are hard links to the template's,
# which nothing run in a copy writes; the rest (registry, profile, drive C's
# other files) is copied.
wine_copy_prefix() {
  local ext excludes=() names=()
  for ext in dll exe sys drv ocx cpl acm tlb ax nls com ds msstyles; do
    excludes+=(--exclude="*.$ext")
    names+=(${names[0]+-o} -name "*.$ext")
  done
  mkdir -p "$2" &&
  tar -C "$1" -cf - "${excludes[@]}" . | tar -C "$2" -xf - &&
  (cd "$1" && find . -type f \( "${names[@]}" \) -print0 | xargs -0 -r cp -l --parents -t "$2")
}
