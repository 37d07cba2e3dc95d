#!/usr/bin/env bash
# Installs every Debian package the three builds, the tools and the tests need. Safe to run again:
# it only asks apt when something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ python3 python3-numpy
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
  libgtest-dev libbenchmark-dev
  libpng-dev libgif-dev libfreetype-dev fonts-dejavu-core
  clang libclang-rt-14-dev valgrind
  wine64 fonts-wine xvfb xdotool x11-apps x11-utils x11-xserver-utils imagemagick
  libx11-dev libxext-dev libsdl2-dev xscreensaver dpkg-dev procps passwd
  wixl msitools osslsigncode openssl
)
# The 32-bit saver runs under Debian's 32-bit Wine, from the i386 architecture.
foreign=i386
packages+=(wine32:$foreign)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
# Adding it leaves wine32 missing, so the apt-get update below lists that architecture's packages too.
if ! dpkg --print-foreign-architectures | grep -qx "$foreign"; then
  echo "Adding the $foreign architecture"
  $sudo dpkg --add-architecture "$foreign"
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
