#!/usr/bin/env bash
# Installs the Debian 12 packages Azimora needs that are not there yet.
#   install-deps.sh          to build and run the program
#   install-deps.sh --test   also what the whole test suite needs
# Fast when everything is installed: it only asks dpkg.
set -euo pipefail

build_packages=(
  cmake g++ make
  qt6-base-dev qt6-qpa-plugins libqt6printsupport6 qt6-translations-l10n
  fonts-wine fonts-liberation
)
test_packages=(
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb x11-utils xdotool wmctrl openbox imagemagick
  poppler-utils cups printer-driver-cups-pdf qt6ct
  dbus at-spi2-core
  clang libclang-rt-14-dev
)

packages=("${build_packages[@]}")
if [[ "${1:-}" == "--test" ]]; then
  packages+=("${test_packages[@]}")
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update
"${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
