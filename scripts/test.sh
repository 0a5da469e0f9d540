#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and runs the whole test suite: once in
# the normal build, once under AddressSanitizer and UndefinedBehaviorSanitizer,
# then each fuzz target for 20 seconds from its seeds, then the Debian
# package: built, checked, installed, used and removed again.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
scripts/setup-print-queue.sh
scripts/build.sh dev
ctest --preset dev
scripts/build.sh asan
ctest --preset asan
scripts/fuzz.sh 20
tests/package/package_test.sh
