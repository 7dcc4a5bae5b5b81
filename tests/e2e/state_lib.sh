# state_lib.sh: the prefix's files and registry as text, taken before and
# after a program runs, for "nothing else changed" (sourced by lib.sh).

# Files: every folder, link and file of drive C, users/ included, and of the
# folders in STATE_ROOTS (the medium a test installs from), one a line:
#   PATH<TAB>dir | PATH<TAB>link -> TARGET | PATH<TAB>SIZE MTIME SHA1
# PATH starts with ./ on drive C and with the root's own path elsewhere.
STATE_ROOTS=()

# Paths left out, each with why: what Wine itself would write as programs
# start and windows come and go. None so far: Wine 8 writes nothing on drive
# C while the game and setup run, and users/ is compared in full.
STATE_NOISE=()

_state_noise() {
  local IFS='|'
  printf '%s\n' "${STATE_NOISE[*]:-^\$}"
}

# Hashing the prefix's 1.3 GB of system files for every snapshot would cost
# most of a test. A file shared (hard-linked) with the template keeps its
# SHA-1 in a cache of the build tree, keyed by device, inode, size and
# modification time. Not by ctime: every copy of the template links its
# files anew, which changes their ctime, so with tests side by side no
# cached hash was ever found again and the cache grew by the whole system
# at each snapshot. A write through a link would change the template
# itself, under every test. The test's own files are hashed every time.
STATE_CACHE=$BUILD/e2e/sha1-cache-${WINEARCH:-win}

# _tree_state ROOT LABEL: one root's lines, LABEL in place of its "./".
_tree_state() {
  local files=$WORK/state.files sums=$WORK/state.sums fresh=$WORK/state.fresh cache=/dev/null
  [ -f "$STATE_CACHE" ] && cache=$STATE_CACHE
  (
    cd "$1" || exit 1
    find . -type f -printf '%n\t%D:%i:%s:%T@\t%p\n' > "$files"
    awk -F'\t' 'FILENAME == ARGV[1] { cached[$1] = 1; next }
      $1 == 1 || !($2 in cached) { printf "%s%c", $3, 0 }' "$cache" "$files" |
      xargs -0 -r sha1sum > "$sums"
    find . -mindepth 1 \( -type f -printf '%p\t%s %T@\n' \) -o \
      \( -type l -printf '%p\tlink -> %l\n' \) -o -printf '%p\tdir\n' |
    awk -F'\t' -v label="$2" -v fresh="$fresh" '
      FILENAME == ARGV[1] { cached[$1] = $2; next }
      FILENAME == ARGV[2] { key[$3] = $2; shared[$3] = $1 > 1; next }
      FILENAME == ARGV[3] { sha[substr($0, 43)] = substr($0, 1, 40); next }
      {
        path = $1; rest = $2
        if (path in sha) {
          rest = rest " " sha[path]
          if (shared[path]) print key[path] "\t" sha[path] > fresh
        } else if (path in key) {
          rest = rest " " cached[key[path]]
        }
        print label substr(path, 2) "\t" rest
      }' "$cache" "$files" "$sums" -
  ) || return 1
  # Replaced whole, never appended to, so that tests running side by side
  # never read half a line.
  if [ -s "$fresh" ]; then
    cat "$cache" "$fresh" > "$STATE_CACHE.$$" && mv -f "$STATE_CACHE.$$" "$STATE_CACHE"
  fi
  rm -f "$fresh"
}

prefix_state() {
  local root
  {
    _tree_state "$DRIVE_C" . || fail "cannot list drive C"
    for root in "${STATE_ROOTS[@]}"; do
      _tree_state "$root" "$root" || fail "cannot list $root"
    done
  } | grep -Ev "$(_state_noise)" | LC_ALL=C sort
}

# expect_state BEFORE WHAT [PATH...]: the state now equals BEFORE (what
# prefix_state printed then) except that each PATH may have been added.
# The differences go to $WORK/state.diff.
expect_state() {
  local before=$1 what=$2
  shift 2
  diff <(printf '%s\n' "$before") <(prefix_state) | grep '^[<>]' > "$WORK/state.diff" || true
  printf '%s\n' "$@" > "$WORK/state.allowed"
  local unexpected
  unexpected=$(awk -F'\t' '
    FILENAME == ARGV[1] { allowed[$0] = 1; next }
    !(substr($1, 1, 1) == ">" && substr($1, 3) in allowed)' "$WORK/state.allowed" "$WORK/state.diff")
  [ -z "$unexpected" ] || fail "$what: the prefix changed (< before, > now):"$'\n'"$unexpected"
}

# Registry: HKLM and HKCU as "[KEY]" and "[KEY]|VALUE" lines (zdrive's
# reg-dump), as Wine's server saves them: its volatile keys, which it keeps
# in memory only (Hardware, the display's Video keys, user32's scratch
# settings), are not among them. Left out: what Wine rewrites by itself
# while programs run, each with why; the rest of HKLM\System is compared.
REGISTRY_NOISE=(
  # The display driver's date, written again for each desktop started.
  '^\[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Class\\[^]]*\]\|"DriverDateData"='
  # The display adapter and monitor as the display driver registers them
  # again when a desktop starts late (seen with four tests side by side):
  # a new id, the same devices.
  '^\[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Enum\\(DISPLAY|PCI)\\'
  # Audio endpoints and the ALSA driver's ids for them, made when a program
  # first opens sound.
  '^\[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\MMDevices(\\|\])'
  '^\[HKEY_CURRENT_USER\\Software\\Wine\\Drivers\\winealsa\.drv(\\|\])'
)

_registry_noise() {
  local IFS='|'
  printf '%s\n' "${REGISTRY_NOISE[*]}"
}

# registry_state: fails the test when the dump fails or comes out nearly
# empty, so that two broken snapshots never compare equal.
registry_state() {
  local file=$WORK/registry.txt n
  rm -f "$file"
  zd reg-dump --file "$(winpath "$file")" HKLM HKCU >&2 || fail "zdrive reg-dump failed"
  n=$(grep -c '^\[HKEY_[^]]*\]$' "$file" || true)
  [ "$n" -ge 40 ] || fail "zdrive reg-dump gave $n keys"
  grep -Ev "$(_registry_noise)" "$file" | LC_ALL=C sort
}

# expect_registry BEFORE WHAT [PATTERN...]: the registry now equals BEFORE
# (what registry_state printed then) except for diff lines ("< " gone,
# "> " added) that match one of the extended regular expressions given.
expect_registry() {
  local before=$1 what=$2
  shift 2
  diff <(printf '%s\n' "$before") <(registry_state) | grep '^[<>]' > "$WORK/registry.diff" || true
  local unexpected
  unexpected=$(grep -Ev -e '^$' "${@/#/-e}" "$WORK/registry.diff" || true)
  [ -z "$unexpected" ] || fail "$what: the registry changed (< before, > now):"$'\n'"$unexpected"
}
