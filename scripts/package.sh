#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Builds Azimora's Debian package into dist/: a release build installed
# under /usr, with Debian's hardening flags, packed by CPack, then checked by
# lintian (which must report no errors).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --package

# Debian's compiler and linker flags with all hardening (stack protector,
# fortify, PIE, relro, bindnow) for a first configure of the package build.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
if [[ ! -f build/package/CMakeCache.txt ]]; then
  CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" cmake --preset package
fi
cmake --build --preset package -j "$(nproc)"
rm -rf dist
cpack --config build/package/CPackConfig.cmake -B dist
rm -rf dist/_CPack_Packages
deb=$(ls dist/*.deb)
echo "package: $deb"
lintian --fail-on error --info "$deb"
