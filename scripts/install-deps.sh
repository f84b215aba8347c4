#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian machine, and
# only what is missing. Runs as root (apt).
# Usage: install-deps.sh [--example]
#   --example  only what the main job needs: the native build (whose
#              configuration wants GoogleTest), the cross compiler that builds
#              the example's demo program, and lnkinfo to show its links.
set -euo pipefail

packages=(cmake make g++ gcc googletest libgtest-dev
          gcc-mingw-w64-i686 g++-mingw-w64-i686 binutils-mingw-w64-i686 liblnk-utils)
if [ "${1:-}" != --example ]; then
  packages+=(clang libclang-rt-14-dev wine wine32:i386 xvfb xauth xdotool imagemagick attr)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages (${missing[*]}); run as root to install them" >&2
  exit 1
fi
echo "install-deps: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
