# '-u' with a log that does not exist, and with no path at all: nothing is
# shown, the exit code is 3, nothing is touched.
. "$SRC/tests/e2e/uninstall_lib.sh"

install_uninstaller
register_entry ZARVEL 'C:\Games\ZARVEL\_inst_.log'
before=$(list_files)
for args in '-u C:\Games\ZARVEL\_inst_.log' '-U    C:\nowhere\x.log' '-u'; do
  # shellcheck disable=SC2086  # the arguments are split on purpose
  pid=$(zd start "$UNINSTALLER" $args)
  expect_eq 3 "$(zd wait-exit "$pid")" "exit code for $args"
  if zd list | awk -F'\t' '$5 == 1' | grep -q "$DIALOG_TITLE\|$MESSAGE_TITLE"; then
    fail "something was shown for $args"
  fi
done
expect_eq "$before" "$(list_files)" "files"
key_exists "$UNINSTALL_KEY\\ZARVEL" || fail "the Uninstall entry went"
