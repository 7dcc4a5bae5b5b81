# install_lib.sh: what the e2e_install_* scripts share (sourced after lib.sh).
# A medium is a folder made by the test: setup.exe, setup.ini and the files
# to install; install_probe.exe stands in for the installed program.

SETUP_EXE=$(setup_exe) || exit 1
PROBE=$BUILD/install_probe.exe
[ -f "$PROBE" ] || fail "no install_probe.exe in $BUILD (built with the setup target)"

# The template prefix's profile folders (Desktop, Documents, ...) are links
# into the home folder of whichever test booted the template, shared by every
# test and gone when that test runs again: give this prefix folders of its
# own, so shortcuts land in this test's prefix only.
for link in "$DRIVE_C"/users/*/*; do
  [ -L "$link" ] || continue
  rm -f "$link" && mkdir -p "$link"
done

# The install dialog (102) and the copy dialog (104) once it has finished;
# message boxes share the second one's caption.
INSTALL_DLG=(--class '#32770' --title 'セットアップ')
SETUP_BOX=(--class '#32770' --title 'セットアップ プログラム')
COPYING_DLG=(--class '#32770' --title 'インストール中...')

probe() { timeout 60 "$WINELOADER" "$PROBE" "$@" | tr -d '\r'; }

# unixpath 'C:\x\y': the file inside the prefix's drive C.
unixpath() {
  local p=${1#[Cc]:}
  printf '%s\n' "$DRIVE_C${p//\\//}"
}

# write_ini FILE: standard input with CR LF line ends, as a packager writes it.
write_ini() { sed 's/$/\r/' > "$1"; }

# make_medium DIR: setup.exe and the probe as game.exe.
make_medium() {
  mkdir -p "$1"
  cp "$SETUP_EXE" "$1/setup.exe"
  cp "$PROBE" "$1/game.exe"
}

# start_setup MEDIUM: starts setup.exe in the medium's folder and waits for
# the install dialog; prints the process id.
start_setup() {
  local pid
  pid=$(zd start --cwd "$(winpath "$1")" "$(winpath "$1/setup.exe")") || fail "setup.exe did not start"
  zd wait-window "${INSTALL_DLG[@]}" >/dev/null || fail "no install dialog"
  printf '%s\n' "$pid"
}

# install_to FOLDER: the folder into field 1003 (empty: leave it), then the
# start button; returns once the install dialog has gone or a message box
# of the installer shows. A press the dialog demonstrably lost (15 s on, it
# is still there and nothing else came) is made again.
install_to() {
  [ -z "$1" ] || zd set-text "${INSTALL_DLG[@]}" 1003 "$1" >/dev/null
  zd click "${INSTALL_DLG[@]}" 1 >/dev/null
  local try
  for try in 1 2 3 4 5 6; do
    until_ok 15 start_taken && return 0
    echo "install_to: the install dialog did not take the start button; pressing it again" >&2
    zd click --timeout 2000 "${INSTALL_DLG[@]}" 1 >/dev/null 2>&1 || true
  done
  fail "the install dialog never took the start button"
}

# start_taken: the install dialog has gone, or a message box came.
start_taken() {
  zd wait-gone --timeout 1000 "${INSTALL_DLG[@]}" >/dev/null 2>&1 ||
    zd wait-window --timeout 1 "${SETUP_BOX[@]}" >/dev/null 2>&1
}

# install_cancelled_at FOLDER LOG N: installs into FOLDER and presses the
# copy dialog's cancel button the moment the log (a Unix path) holds N
# records, before the installer's next step. The watch begins before the
# start button, so no step can pass before it.
install_cancelled_at() {
  ZD_APART=1 zd click-when --timeout 100000 --file "$(winpath "$2")" --lines "$3" "${COPYING_DLG[@]}" 2 \
    >/dev/null &
  local watch=$!
  install_to "$1"
  wait "$watch" || fail "no cancel at $3 records"
}

# box_text: the text of the message box now shown (its static control).
box_text() {
  zd texts "${SETUP_BOX[@]}" | awk -F'\t' '$2 == "Static" && $3 != "" { print $3 }' | tr -d '\r'
}

# wait_complete [MS]: until the copy dialog says the installation is complete.
# A message box on the way (same caption, no control 1020) fails the test.
wait_complete() {
  local limit=$(( $(date +%s) + ${1:-120000} / 1000 )) state
  while [ "$(date +%s)" -le "$limit" ]; do
    if zd wait-window --timeout 2000 "${SETUP_BOX[@]}" >/dev/null 2>&1; then
      # The box is there with all its controls: the probe needs no wait.
      if state=$(zd state --timeout 1000 "${SETUP_BOX[@]}" 1020 2>/dev/null); then
        case "$state" in
          *visible=1*)
            expect_eq 'インストールが完了しました' "$(zd text "${SETUP_BOX[@]}" 1020)" "completion text"
            return 0
            ;;
        esac
      else
        fail "unexpected message: $(box_text)"
      fi
    fi
    sleep 0.3
  done
  fail "installation did not complete"
}

# wait_box: waits for a message box of the installer and prints its text.
wait_box() {
  local limit=$(( $(date +%s) + ${1:-60000} / 1000 ))
  while [ "$(date +%s)" -le "$limit" ]; do
    if zd wait-window --timeout 2000 "${SETUP_BOX[@]}" >/dev/null 2>&1 &&
       ! zd state --timeout 1000 "${SETUP_BOX[@]}" 1020 >/dev/null 2>&1; then
      box_text
      return 0
    fi
    sleep 0.3
  done
  fail "no message box"
}

# exit_setup PID: the exit button, and setup.exe ends with 0.
exit_setup() {
  expect_eq '終了(&E)' "$(zd text "${SETUP_BOX[@]}" 2)" "exit button"
  zd click "${SETUP_BOX[@]}" 2 >/dev/null
  expect_eq 0 "$(zd wait-exit "$1")" "setup.exe exit code"
}

# log_lines FILE: the records of an install log, one a line (CR LF checked).
log_lines() {
  [ -f "$1" ] || fail "no log $1"
  [ "$(tail -c 2 "$1" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "$1 does not end with CR LF"
  tr -d '\r' < "$1"
}

UNINSTALL_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'
