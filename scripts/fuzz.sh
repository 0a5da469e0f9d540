#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for the given number of seconds
# (default 600), starting from the committed seeds in tests/fuzz/corpus/.
# New inputs go to build/fuzz/corpus/, findings to build/fuzz/findings/.
# Fails when any target finds a crash, a sanitizer report, a broken
# expectation or an input that takes too long.
#   fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"

scripts/build.sh fuzz >/dev/null
targets=(fuzz_load_lists fuzz_split_fields fuzz_number_text fuzz_decode fuzz_round_trip fuzz_controller
  fuzz_outside_sources fuzz_batch_csv fuzz_towns_xml fuzz_nmea_fields fuzz_http_response)
failed=()
for target in "${targets[@]}"; do
  work="build/fuzz/corpus/$target"
  findings="build/fuzz/findings/$target"
  mkdir -p "$work" "$findings"
  log="build/fuzz/$target.log"
  echo "fuzz: $target for ${seconds} s"
  # Inputs up to 256 KiB: a fault that needs a long input (a regular
  # expression's stack at 50 KB) is within reach, not only libFuzzer's 4 KB.
  if ! "build/fuzz/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=262144 \
      -print_final_stats=1 -artifact_prefix="$findings/" "$work" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
    failed+=("$target")
    tail -n 40 "$log"
  fi
  grep -E "^stat::number_of_executed_runs|^#[0-9]+.*DONE" "$log" | tail -n 2 | sed "s/^/  /" || true
done

if ((${#failed[@]} > 0)); then
  echo "fuzz: findings in ${failed[*]} (inputs under build/fuzz/findings/)"
  exit 1
fi
echo "fuzz: no findings"
