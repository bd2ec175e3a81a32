#!/usr/bin/env bash
# Installs the Debian 12 packages Wandquiz needs to build, run and test,
# skipping those already there. Run as root (or with sudo available).
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-translations-l10n libgl-dev zlib1g-dev libxcb1-dev
  fonts-wine
  xvfb xauth x11-utils xdotool imagemagick
  desktop-file-utils appstream shared-mime-info libglib2.0-bin python3
  pulseaudio pulseaudio-utils
  dbus at-spi2-core python3-pyatspi
  tesseract-ocr tesseract-ocr-deu libx11-dev
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
