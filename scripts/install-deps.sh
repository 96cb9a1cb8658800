#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, and the Japanese locale
# that Wine takes its code page from. Does nothing when all is there already.
set -euo pipefail

packages=(
  cmake ninja-build clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix wine wine64 xvfb xserver-xephyr xdotool x11-utils imagemagick fonts-ipafont-gothic fonts-wine locales zip
)

sudo_if_needed() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_if_needed apt-get update -qq
  sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Without a generated glibc locale Wine falls back to code page 1252; the English
# run starts in en_US.UTF-8, as an English system's programs do.
for locale in ja_JP en_US; do
  if ! locale -a 2>/dev/null | grep -qi "^$locale\.utf8$"; then
    sudo_if_needed localedef -i "$locale" -f UTF-8 "$locale.UTF-8"
  fi
done
