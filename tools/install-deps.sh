#!/usr/bin/env bash
# Install the Debian packages lumiker needs to build, run and test.
# Safe to run any number of times: it asks apt only for what is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  libsdl2-dev libglu1-mesa-dev libgl1-mesa-dri libfreetype-dev libfontconfig-dev libjsoncpp-dev
  libx11-dev libstb-dev libegl-dev libegl-mesa0
  libicu-dev libmodbus-dev libgif-dev libpng-dev
  help2man lintian desktop-file-utils appstream dpkg-dev debhelper devscripts fakeroot
  fonts-arphic-uming xfonts-wqy
  libgtest-dev libbenchmark-dev
  xvfb xauth xdotool xclip x11-utils
  ibus ibus-table-wubi dbus-x11
  lunar python3-pymodbus python3-serial python3-serial-asyncio
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
