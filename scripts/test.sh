#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and runs the whole test suite: once in
# the normal build, once under AddressSanitizer and UndefinedBehaviorSanitizer,
# then the web page (the engine's reference tests and its figures against
# azimora-calc in node, the page in headless Chromium, pointing with the
# phone's emulated sensors and camera), each fuzz target for 20 seconds from its seeds, then
# the Debian packages: built, checked, installed, used and removed again,
# and built once more elsewhere to the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
scripts/setup-print-queue.sh
scripts/build.sh dev
ctest --preset dev
scripts/build.sh asan
ctest --preset asan
scripts/build-web.sh
scripts/build-web-tests.sh
# The engine's reference tests in WebAssembly; not Linux's own errno numbers and words.
node build/web/tests/engine_tests.js --gtest_filter=-InOutCodes.* --gtest_brief=1
node tests/web/engine_figures_check.mjs build/web/site build/dev/calc/azimora-calc
node tests/web/page_test.mjs build/web/site build/dev/calc/azimora-calc
node --test tests/web/guidance_test.mjs
node tests/web/point_test.mjs build/web/site build/dev/calc/azimora-calc
scripts/fuzz.sh 20
tests/package/package_test.sh
tests/package/reproducible_test.sh
