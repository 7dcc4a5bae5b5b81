#!/usr/bin/env bash
# Installs what the three build trees need on Debian 12, and only what is
# missing: a machine that has everything costs no apt-get call at all.
set -euo pipefail

packages=(
  cmake ninja-build g++
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  wine wine64 fonts-wine
  xvfb xauth imagemagick xdotool sox
  libstb-dev libsdl2-dev libbenchmark-dev
  libgtest-dev googletest
  locales
  clang libclang-rt-14-dev
  fonts-ipafont-gothic
  libsdl2-ttf-dev libfontconfig-dev pkg-config matchbox-window-manager
  g++-multilib qemu-user
)
locale_name=ja_JP.UTF-8
# The 32-bit Wine only where the kernel runs 32-bit programs at all.
here=$(cd "$(dirname "$0")" && pwd)
if "$here/probe_32bit.sh"; then
  packages+=(wine32:i386)
fi

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo -n "$@"
  else
    echo "install_deps: need root for: $*" >&2
    return 1
  fi
}

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  if [ "$status" != "installed" ]; then missing+=("$p"); fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "install_deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  as_root apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
    -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold \
    "${missing[@]}" </dev/null
fi

# Wine takes the system code page from LANG; the locale itself must exist so
# the Unix side (file names, the shell) agrees with it.
has_locale() { locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; }
if ! has_locale; then
  echo "install_deps: generating $locale_name"
  as_root sed -i 's/^# *\(ja_JP\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  if ! grep -q '^ja_JP\.UTF-8 UTF-8' /etc/locale.gen; then
    echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  fi
  as_root locale-gen >/dev/null
  has_locale || { echo "install_deps: $locale_name still missing" >&2; exit 1; }
fi

echo "install_deps: all present"
