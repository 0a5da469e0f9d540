#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: once in
# the normal build, once under AddressSanitizer and UndefinedBehaviorSanitizer,
# then each fuzz target for 20 seconds from its seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
scripts/setup-print-queue.sh
scripts/build.sh dev
ctest --preset dev
scripts/build.sh asan
ctest --preset asan
scripts/fuzz.sh 20
