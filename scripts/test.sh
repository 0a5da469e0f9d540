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
#
# What needs root (missing packages, the print queue) is done first, in one
# go, asking for a password once at most; every stage then runs whatever
# the others did, and the command ends with a table of them all. The exit
# status is non-zero when any stage failed.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/test-stages.sh

absolute_logs=$PWD/$stage_logs
run_ctest() {
  local preset=$1
  ctest --preset "$preset" --output-junit "$absolute_logs/tests-$preset.junit.xml"
}
web_engine_tests() {
  # The engine's reference tests in WebAssembly; not Linux's own errno numbers and words.
  node build/web/tests/engine_tests.js --gtest_filter=-InOutCodes.* --gtest_brief=1
}

stage "machine set-up" -- scripts/prepare-test-machine.sh
stage "build dev" --after "machine set-up" -- scripts/build.sh dev
stage "tests dev" --after "build dev" -- run_ctest dev
stage "build asan" --after "machine set-up" -- scripts/build.sh asan
stage "tests asan" --after "build asan" -- run_ctest asan
stage "build web" --after "machine set-up" -- bash -c 'scripts/build-web.sh && scripts/build-web-tests.sh'
stage "web: engine in node" --after "build web" -- web_engine_tests
stage "web: figures vs calc" --after "build web" "build dev" -- \
  node tests/web/engine_figures_check.mjs build/web/site build/dev/calc/azimora-calc
stage "web: page in Chromium" --after "build web" "build dev" -- \
  node tests/web/page_test.mjs build/web/site build/dev/calc/azimora-calc
stage "web: report edges in Chromium" --after "build web" -- node tests/web/report_edges_check.mjs build/web/site
stage "web: layout in Chromium" --after "build web" -- node tests/web/layout_test.mjs build/web/site
stage "web: updates in Chromium" --after "build web" -- node tests/web/update_test.mjs build/web/site
stage "web: towns vs desktop" --after "build web" "build dev" -- \
  node tests/web/towns_test.mjs build/web/site build/dev/tests/data_sources/find_towns
stage "web: pointing arithmetic" --after "machine set-up" -- node --test tests/web/guidance_test.mjs
stage "web: lock file of the tools" --after "machine set-up" -- node tests/web/lock_file_check.mjs
stage "web: pointing in Chromium" --after "build web" "build dev" -- \
  node tests/web/point_test.mjs build/web/site build/dev/calc/azimora-calc
stage "web: Lighthouse scores" --after "build web" -- node tests/web/lighthouse_check.mjs build/web/site
stage "translations: glossary" --after "machine set-up" -- \
  bash -c 'python3 translations/check_glossary.py && python3 -m unittest discover -s tests/translations'
stage "fuzz, 20 s a target" --after "machine set-up" -- scripts/fuzz.sh 20
stage "package test" --after "machine set-up" -- tests/package/package_test.sh
stage "reproducible packages" --after "machine set-up" -- tests/package/reproducible_test.sh
stage_summary
