#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, only when some
# are missing. Runs apt as root, or through sudo for a person at a desk.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libfreetype-dev libharfbuzz-dev libfontconfig-dev libpng-dev libjpeg62-turbo-dev
  fonts-liberation2
  fonts-dejavu-core
  qt6-wayland
  desktop-file-utils appstream groff-base dpkg-dev file
  # the screen-reader check: a private session bus, the accessibility bus, an
  # X server for Qt's AT-SPI bridge and the listener's bindings
  dbus at-spi2-core xvfb python3-pyatspi
  # the browser check of the site-build example
  chromium
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
