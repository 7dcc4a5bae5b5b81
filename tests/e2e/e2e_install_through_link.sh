# C:\ZARVEL, the default install folder, made a link (a junction where
# Wine's cmd can make one, else a symbolic link) to a folder of the user's
# that holds a readme.txt of its own. The installer refuses the folder,
# naming it, before it writes anything: the file is unchanged and nothing
# else on drive C or in the registry changed.
. "$SRC/tests/e2e/uninstall_lib.sh"

theirs="$(winpath "$WINPROFILE/Documents")\\Notes"
keep_victims "$theirs\\readme.txt"
if ! timeout 60 "$WINELOADER" cmd /c mklink /J 'C:\ZARVEL' "$theirs" >/dev/null 2>&1 ||
   [ ! -L "$DRIVE_C/ZARVEL" ]; then
  rm -rf "$DRIVE_C/ZARVEL"
  ln -s "$(unix_path "$theirs")" "$DRIVE_C/ZARVEL"
fi
cmp -s "$DRIVE_C/ZARVEL/readme.txt" "$(unix_path "$theirs\\readme.txt")" || fail "the link does not lead to the notes"
files_before=$(prefix_state)
registry_before=$(registry_state)

medium=$BUILD/medium
[ -f "$medium/setup.ini" ] || fail "no medium in $BUILD (the e2e_medium fixture makes it)"
dialog=(--class '#32770' --title 'ZARVEL セットアップ')
box=(--class '#32770' --title 'セットアップ プログラム')
pid=$(zd start --cwd "$(winpath "$medium")" "$(winpath "$medium/setup.exe")")
zd wait-window --timeout 30000 "${dialog[@]}" >/dev/null || fail "no install dialog"
expect_eq 'C:\ZARVEL' "$(zd text "${dialog[@]}" 1003)" "install folder"
zd click "${dialog[@]}" 1 >/dev/null
zd wait-window --timeout 30000 "${box[@]}" >/dev/null || fail "no message"
said=$(zd texts "${box[@]}" | awk -F'\t' '$2 == "Static" && $3 != "" { print $3 }' | tr -d '\r')
grep -qF 'C:\ZARVEL' <<<"$said" || fail "the message does not name the folder: $said"
grep -q 'リンク' <<<"$said" || fail "the message does not say why: $said"
zd click "${box[@]}" 1 >/dev/null
expect_eq 0 "$(zd wait-exit --timeout 20000 "$pid")" "setup.exe exit code"

victims_kept
[ ! -e "$DRIVE_C/ZARVEL/tzk.exe" ] || fail "tzk.exe was written through the link"
expect_state "$files_before" "after the refusal"
expect_registry "$registry_before" "after the refusal"
echo "refused: $(tr '\n' ' ' <<<"$said")"
