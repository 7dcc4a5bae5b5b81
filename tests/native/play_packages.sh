#!/usr/bin/env bash
# ./play.sh installs only what the chosen way of playing needs. A user who
# cannot install is told in one line which packages are missing and the
# command that installs them, and play.sh ends with 2 before it builds;
# with everything there it starts the game. dpkg-query is replaced on the
# PATH by one that calls the packages in MISSING missing ("all": every
# one); the scripts and their messages are the real ones.
set -euo pipefail
build=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
chmod 755 "$work"
mkdir "$work/bin"
cat >"$work/bin/dpkg-query" <<'STUB'
#!/bin/sh
for package; do :; done
case " $MISSING " in *" $package "* | *" all "*) echo not-installed ;; *) echo installed ;; esac
STUB
chmod 755 "$work/bin/dpkg-query"
# An ordinary user: this one, or nobody when the tests run as root.
as_user() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u nobody -- env "$@"; else env "$@"; fi
}

native="cmake ninja-build g++ libstb-dev googletest pkg-config libsdl2-dev libsdl2-ttf-dev libfontconfig-dev fonts-ipafont-gothic"
# what | command | missing | the packages named (exactly, in this order) | a package not named
while IFS='|' read -r what command missing named absent; do
  set +e
  said=$(as_user PATH="$work/bin:$PATH" HOME="$work" DISPLAY=:65431 MISSING="$missing" $command 2>&1 </dev/null)
  rc=$?
  set -e
  [ "$rc" -eq 2 ] || fail "$what: exit $rc, not 2: $said"
  [ "$(wc -l <<<"$said")" -eq 1 ] || fail "$what: more than one line: $said"
  list=$(sed -n 's/^install_deps: missing \(.*\); to install: .*/\1/p' <<<"$said")
  case $named in
    =*) [ "$list" = "${named#=}" ] || fail "$what: named '$list', not '${named#=}'" ;;
    *) [[ " $list " == *" $named "* ]] || fail "$what: '$named' not named: $said" ;;
  esac
  [[ "$said" == *"apt-get install -y $list"* ]] || fail "$what: no command that installs them: $said"
  [ -z "$absent" ] || [[ " $list " != *" $absent "* ]] || fail "$what: names $absent: $said"
done <<TABLE
one missing|$root/play.sh|libsdl2-ttf-dev|=libsdl2-ttf-dev|
a fresh machine, native|$root/play.sh|all|=$native|qemu-user
a fresh machine, Wine|$root/play.sh --wine|all|wine64|libsdl2-dev
TABLE
echo "one line, exit 2; a fresh machine's native play needs: $native"

# Everything there: the game starts (on the tier's own tree).
(
  export ZARVEL_NATIVE_BUILD=$build XDG_DATA_HOME=$work/data SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
  PATH="$work/bin:$PATH" MISSING= ZARVEL_JOBS=1 DISPLAY=:65431 "$root/play.sh" >"$work/out" 2>&1 &
  game=$!
  for _ in $(seq 600); do [ -e "$XDG_DATA_HOME/zarvel/zarvel.lock" ] || ! kill -0 $game 2>/dev/null && break; sleep 0.2; done
  [ -e "$XDG_DATA_HOME/zarvel/zarvel.lock" ] || { kill $game 2>/dev/null; fail "the game did not start: $(cat "$work/out")"; }
  kill -TERM $game
  wait $game || fail "the game ended with $?: $(cat "$work/out")"
  grep -q '^install_deps: all present' "$work/out" || fail "install_deps: $(cat "$work/out")"
  echo "with everything there the game started"
)
