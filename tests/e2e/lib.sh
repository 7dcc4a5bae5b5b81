# lib.sh: what an end-to-end script may call (sourced by run_e2e.sh, which
# sets BUILD, SRC, WORK, DRIVE_C, ZDRIVE and the Wine environment).

# zd COMMAND ARGS...: one zdrive.exe command; its output is UTF-8.
# A started program keeps the standard error it was given; it gets a log
# file of its own (start-*.log in $WORK), so that a script capturing zd's
# standard error never waits for the program to end.
zd() {
  if [ "${1:-}" = start ]; then
    local log rc=0
    log=$(mktemp "$WORK/start-XXXX.log")
    timeout -k 5 120 "$WINELOADER" "$ZDRIVE" "$@" 2>"$log" || rc=$?
    cat "$log" >&2
    return $rc
  fi
  timeout -k 5 120 "$WINELOADER" "$ZDRIVE" "$@"
}

# winpath PATH: the Windows path of a Unix path: C:\... inside the prefix's
# drive C, Z:\... elsewhere.
winpath() {
  local p
  p=$(realpath -m -- "$1")
  case "$p" in
    "$DRIVE_C") p='C:\' ;;
    "$DRIVE_C"/*) p="C:${p#"$DRIVE_C"}" ;;
    *) p="Z:$p" ;;
  esac
  printf '%s\n' "${p//\//\\}"
}

# shot FILE.png: the whole X screen (a relative name lands in $WORK).
shot() {
  local f=$1
  case "$f" in /*) ;; *) f=$WORK/$f ;; esac
  import -display "$DISPLAY" -window root "$f"
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# setup_exe: setup.exe of the build tree under test.
setup_exe() {
  local f
  for f in "$BUILD/setup.exe" "$BUILD/setup/setup.exe"; do
    if [ -f "$f" ]; then echo "$f"; return 0; fi
  done
  fail "no setup.exe in $BUILD"
}

# expect_eq WANT GOT WHAT
expect_eq() {
  [ "$1" = "$2" ] || fail "${3:-value}: expected '$1', got '$2'"
}

# regget KEY VALUE: the value's data as reg.exe shows it (REG_SZ as is,
# REG_DWORD as 0x...), empty when the key or value is absent.
regget() {
  local out
  out=$(timeout 60 "$WINELOADER" reg query "$1" /v "$2" 2>/dev/null | iconv -f CP932 -t UTF-8) || true
  printf '%s\n' "$out" | tr -d '\r' | awk -v name="$2" '
    BEGIN { pre = "    " name "    " }
    index($0, pre) == 1 {
      rest = substr($0, length(pre) + 1)
      i = index(rest, "    ")
      print (i ? substr(rest, i + 4) : "")
      exit
    }'
}
