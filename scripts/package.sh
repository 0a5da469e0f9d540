#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Builds Azimora's Debian packages into dist/: azimora (the desktop program)
# and azimora-calc (the calculator, without Qt), from a release build
# installed under /usr with Debian's hardening flags, packed by CPack, then
# checked by lintian (which must report no errors).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --package

# A run as root leaves root's files behind (build/package, dist); a later
# run as a user cannot replace them: say what to do rather than fail half-way.
for leftover in build/package build/package-web dist; do
  if [[ -e "$leftover" && ! -w "$leftover" ]] || find "$leftover" ! -user "$(id -u)" -print -quit 2>/dev/null | grep -q .; then
    if [[ $(id -u) -ne 0 ]]; then
      echo "package: $leftover holds files of another user (an earlier run as root); remove it with" >&2
      echo "package:   sudo rm -rf $PWD/$leftover" >&2
      exit 1
    fi
  fi
done

# Every date in the packages (file times, Qt's resource time stamps) is the
# changelog's latest entry's, as dpkg-buildpackage sets it: two builds of
# one source give the same bytes (https://reproducible-builds.org/specs/source-date-epoch/).
# Debian's flags below map the build's folder away (-ffile-prefix-map).
# CPack takes the modes of the package's parts from the files it writes, so
# the builder's umask is fixed too.
umask 022
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(dpkg-parsechangelog -l packaging/changelog -STimestamp)}
export SOURCE_DATE_EPOCH

# The web page's folder first: the package build installs it as azimora-web.
# Compiled apart from the tests' build, as the packages are: without the
# compiler cache.
AZIMORA_NO_CCACHE=1 AZIMORA_WEB_OUT=build/package-web scripts/build-web.sh

# Debian's compiler and linker flags with all hardening (stack protector,
# fortify, PIE, relro, bindnow) for a first configure of the package build.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# A package build folder from before the compiler cache was kept out of it
# may hold objects the cache made: built again from nothing.
if [[ -f build/package/CMakeCache.txt ]] && ! grep -q "^AZIMORA_CCACHE:BOOL=OFF$" build/package/CMakeCache.txt; then
  rm -rf build/package
fi
if [[ ! -f build/package/CMakeCache.txt ]]; then
  CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" cmake --preset package
else
  # The preset's settings again over a build folder configured before they
  # changed (the compiler cache, off for packages, above all).
  cmake --preset package >/dev/null
fi
cmake --build --preset package -j "$(nproc)"
rm -rf dist
# The two architecture-independent packages (azimora-data, azimora-web)
# depend on nothing, which CPack announces as if it were a fault
# ("CPACK_DEBIAN_PACKAGE_DEPENDS not set"); the package test checks what
# each package depends on.
cpack --config build/package/CPackConfig.cmake -B dist > >(grep -v "CPACK_DEBIAN_PACKAGE_DEPENDS not set")
rm -rf dist/_CPack_Packages
for deb in dist/*.deb; do
  echo "package: $deb"
  lintian --fail-on error --info "$deb"
done
