#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Runs every test on a real X server (CTest label x11: tests/desktop/ and the
# window tests of the shell that need X) again and again in the dev and asan
# presets while stress-ng keeps every core busy, and reports each failure.
# A test that passes on a quiet machine and fails under load is a fault.
#   stress-desktop-tests.sh [rounds (default 20)] [presets (default "dev asan")]
set -euo pipefail
cd "$(dirname "$0")/.."
rounds="${1:-20}"
presets="${2:-dev asan}"

scripts/install-deps.sh --test
for preset in $presets; do
  scripts/build.sh "$preset"
done

logs=$(mktemp -d /tmp/azimora-stress.XXXXXX)
# Twice as many busy workers as cores: the tests get a share, never a core.
stress-ng --cpu "$(($(nproc) * 2))" --timeout 0 --quiet &
load=$!
trap 'kill "$load" 2>/dev/null || true; wait "$load" 2>/dev/null || true' EXIT

runs=0
failures=0
for round in $(seq "$rounds"); do
  for preset in $presets; do
    runs=$((runs + 1))
    log="$logs/$preset-$round.log"
    if ctest --preset "$preset" -L x11 --output-on-failure >"$log" 2>&1; then
      echo "round $round, $preset: passed ($(uptime | sed 's/.*load average: //') load)"
    else
      failures=$((failures + 1))
      echo "round $round, $preset: FAILED, see $log"
      grep -E '^\s*[0-9]+ - .*\(Failed|Timeout\)|Failure$' "$log" | sed 's/^/    /' || true
    fi
  done
done
echo "stress-desktop-tests: $failures of $runs runs failed (presets: $presets; $rounds rounds; logs in $logs)"
((failures == 0))
