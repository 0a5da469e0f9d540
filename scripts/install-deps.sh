#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Installs the Debian 12 packages Azimora needs that are not there yet.
#   install-deps.sh          to build and run the program
#   install-deps.sh --test   also what the whole test suite needs
#   install-deps.sh --package  also what building and checking the packages needs
#   install-deps.sh --web      also what building the web page needs
# and after the first, one of:
#   --list-missing   only name the Debian packages that are missing
#   --system-only    only the Debian packages (run as root), no npm
#   --npm-only       only the test tools from npm (as the user)
# Fast when everything is installed: it only asks dpkg.
set -euo pipefail
part="${2:-all}"

build_packages=(
  cmake g++ make
  qt6-base-dev libxkbcommon-dev qt6-qpa-plugins libqt6printsupport6 qt6-translations-l10n
  qt6-positioning-dev qt6-serialport-dev libqt6positioning6-plugins
  pkg-config libqrencode-dev libxcb1-dev
  fonts-wine fonts-liberation fonts-dejavu-core
  dtv-scan-tables libgweather-4-common
)
test_packages=(
  googletest libgtest-dev libgmock-dev libbenchmark-dev groff-base
  xvfb x11-utils xdotool wmctrl openbox imagemagick
  poppler-utils cups printer-driver-cups-pdf qt6ct
  dbus at-spi2-core
  clang libclang-rt-14-dev
  zbar-tools  # reads back the QR code of the web page's link
  stress-ng  # keeps the machine busy in scripts/stress-desktop-tests.sh
  python3-sgp4  # its SGP4 verification data, read by the tests as reference values
  nodejs        # the time-zone boundaries' check, and the web page's tests
  ccache        # a second build of the same sources, in any clone, compiles nothing again
)
package_packages=(
  dpkg-dev file lintian desktop-file-utils appstream
)
# The web page: the engine as WebAssembly, and the browser its tests drive.
web_packages=(
  emscripten binaryen nodejs chromium
)

packages=("${build_packages[@]}")
case "${1:-}" in
  --test) packages+=("${test_packages[@]}" "${package_packages[@]}" "${web_packages[@]}") ;;
  --package) packages+=("${package_packages[@]}" emscripten binaryen nodejs) ;;
  --web) packages+=(emscripten binaryen nodejs) ;;
esac

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
# npm comes with some builds of node (NodeSource's); Debian packs it apart.
if [[ "${1:-}" == "--test" ]] && ! command -v npm >/dev/null 2>&1; then
  missing+=(npm)
fi

# The test tools from npm, as the lock file pins them (development and tests
# only; nothing from npm goes into the programs).
npm_tools() {
  [[ "${1:-}" == "--test" ]] || return 0
  cd "$(dirname "$0")/.."
  # The lock file pins tools that run on Debian 12's own nodejs (18.20):
  # playwright-core up to 1.56 needs 18, Lighthouse 12 needs 18.16 (12.2.3:
  # tests/web/lock_file_check.mjs says why no later one).
  local found major minor
  found=$(node --version 2>/dev/null || echo none)
  IFS=. read -r major minor _ <<<"${found#v}"
  if [[ ! "$major" =~ ^[0-9]+$ ]] || ((major < 18 || (major == 18 && minor < 16))); then
    echo "install-deps: the test tools need Node.js 18.16 or later (Debian 12's nodejs package is 18.20); found: $found" >&2
    exit 1
  fi
  if [[ ! -f node_modules/.package-lock.json || package-lock.json -nt node_modules/.package-lock.json ]]; then
    echo "Installing the test tools from npm (package-lock.json)"
    npm ci --no-audit --no-fund --loglevel=error
  fi
}

case $part in
  --list-missing) echo "${missing[*]}"; exit 0 ;;
  --npm-only) npm_tools "$@"; exit 0 ;;
esac
if ((${#missing[@]} == 0)); then
  [[ "$part" == --system-only ]] || npm_tools "$@"
  exit 0
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "install-deps: these Debian packages are missing: ${missing[*]}" >&2
    echo "install-deps: sudo is not installed; run this script as root (for example: su -c '$0 $*')," >&2
    echo "install-deps: or install them with: apt-get install --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update
"${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
[[ "$part" == --system-only ]] || npm_tools "$@"
