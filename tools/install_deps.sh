#!/usr/bin/env bash
# Installs on Debian 12 what one way of playing, or the tests, need, and
# only what is missing: a machine that has everything costs no apt-get call.
#   tools/install_deps.sh [GROUP...]        (default: test)
#     native   the native program, build/native/zarvel (./play.sh)
#     wine     tzk.exe under Wine (./play.sh --wine)
#     desktop  what tools/install_native.sh adds (the menu's icon)
#     web      the page, build/web/site (./play.sh --web)
#     test     everything ./test.sh builds and runs, the groups above included
#     PACKAGE  any other name: that package (a tool's own need)
# As root it installs; as another user it uses sudo where that needs no
# password, and otherwise names the missing packages and the command that
# installs them in one line, and ends with 2.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# Every build tree configures the game's data (the asset tool writes PNGs
# with stb) and its tests (GoogleTest's sources).
build_packages=(cmake ninja-build g++ libstb-dev googletest)
native_packages=(pkg-config libsdl2-dev libsdl2-ttf-dev libfontconfig-dev fonts-ipafont-gothic)
# The Windows program at the width this machine runs (the 32-bit Wine only
# where the kernel runs 32-bit programs at all); Wine takes the system code
# page from a Japanese locale.
if "$here/probe_32bit.sh"; then
  wine_packages=(g++-mingw-w64-i686-posix wine wine64 fonts-wine wine32:i386 locales)
else
  wine_packages=(g++-mingw-w64-x86-64-posix wine wine64 fonts-wine locales)
fi
desktop_packages=(imagemagick)
# The page: emscripten builds it, fontTools cuts its font from IPA Gothic,
# Node.js serves it (Debian's nodejs only where no node is there already).
web_packages=(emscripten python3-fonttools fonts-ipafont-gothic)
command -v node >/dev/null 2>&1 || web_packages+=(nodejs)
test_packages=(
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  xvfb xauth xdotool sox libbenchmark-dev libgtest-dev
  clang libclang-rt-14-dev matchbox-window-manager
  g++-multilib qemu-user
  chromium  # the browser the web tier drives
)
locale_name=ja_JP.UTF-8

packages=()
needs_locale=0
[ $# -gt 0 ] || set -- test
for group in "$@"; do
  case $group in
    native) packages+=("${build_packages[@]}" "${native_packages[@]}") ;;
    wine) packages+=("${build_packages[@]}" "${wine_packages[@]}"); needs_locale=1 ;;
    desktop) packages+=("${desktop_packages[@]}") ;;
    web) packages+=("${build_packages[@]}" "${web_packages[@]}") ;;
    test)
      packages+=("${build_packages[@]}" "${native_packages[@]}" "${wine_packages[@]}"
                 "${desktop_packages[@]}" "${web_packages[@]}" "${test_packages[@]}")
      needs_locale=1 ;;
    *) packages+=("$group") ;;  # a package of a tool's own, installed when it runs
  esac
done

missing=()
for p in $(printf '%s\n' "${packages[@]}" | awk '!seen[$0]++'); do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  if [ "$status" != "installed" ]; then missing+=("$p"); fi
done
has_locale() { locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; }
locale_missing=0
[ "$needs_locale" = 1 ] && ! has_locale && locale_missing=1

if [ ${#missing[@]} -eq 0 ] && [ "$locale_missing" = 0 ]; then
  echo "install_deps: all present"
  exit 0
fi

# Root, or sudo without a password; otherwise the command for the user.
root=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    root=(sudo -n)
  else
    steps=()
    [[ " ${missing[*]} " == *":i386 "* ]] && steps+=("dpkg --add-architecture i386" "apt-get update")
    [ ${#missing[@]} -gt 0 ] && steps+=("apt-get install -y ${missing[*]}")
    [ "$locale_missing" = 1 ] &&
      steps+=("sed -i 's/^# *\\(ja_JP\\.UTF-8 UTF-8\\)/\\1/' /etc/locale.gen" "locale-gen")
    what="${missing[*]}"
    [ "$locale_missing" = 1 ] && what="${what:+$what and }the locale $locale_name"
    if command -v sudo >/dev/null 2>&1; then
      command=$(printf ' && sudo %s' "${steps[@]}")
      command=${command# && }
    else
      command="su -c \"$(printf '%s && ' "${steps[@]}" | sed 's/ && $//')\""
    fi
    echo "install_deps: missing $what; to install: $command" >&2
    exit 2
  fi
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "install_deps: installing ${missing[*]}"
  if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${root[@]}" dpkg --add-architecture i386
  fi
  "${root[@]}" apt-get update -q
  "${root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
    -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold \
    "${missing[@]}" </dev/null
fi

# Wine takes the system code page from LANG; the locale itself must exist so
# the Unix side (file names, the shell) agrees with it.
if [ "$locale_missing" = 1 ]; then
  echo "install_deps: generating $locale_name"
  "${root[@]}" sed -i 's/^# *\(ja_JP\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  if ! grep -q '^ja_JP\.UTF-8 UTF-8' /etc/locale.gen; then
    echo 'ja_JP.UTF-8 UTF-8' | "${root[@]}" tee -a /etc/locale.gen >/dev/null
  fi
  "${root[@]}" locale-gen >/dev/null
  has_locale || { echo "install_deps: $locale_name still missing" >&2; exit 1; }
fi

echo "install_deps: all present"
