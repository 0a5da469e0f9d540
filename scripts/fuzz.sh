#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for the given number of seconds
# (default 600), as many at once as there are cores, starting from the
# committed seeds in tests/fuzz/corpus/.
# New inputs go to build/fuzz/corpus/, findings to build/fuzz/findings/.
# Fails when any target finds a crash, a sanitizer report, a broken
# expectation or an input that takes too long.
#   fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"

mkdir -p build
scripts/build.sh fuzz 2>&1 | scripts/build-progress.sh build/fuzz-build.log "fuzz targets' build" ||
  { tail -20 build/fuzz-build.log; exit 1; }
targets=(fuzz_load_lists fuzz_split_fields fuzz_number_text fuzz_decode fuzz_round_trip fuzz_controller
  fuzz_outside_sources fuzz_batch_csv fuzz_towns_xml fuzz_nmea_fields fuzz_http_response)
# One target a core at a time: each still has its seconds of a whole core.
fuzz_one() {
  local target=$1
  local work="build/fuzz/corpus/$target" findings="build/fuzz/findings/$target" log="build/fuzz/$target.log"
  mkdir -p "$work" "$findings"
  rm -f "build/fuzz/$target.failed"
  # Inputs up to 256 KiB: a fault that needs a long input (a regular
  # expression's stack at 50 KB) is within reach, not only libFuzzer's 4 KB.
  if ! "build/fuzz/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=262144 \
      -print_final_stats=1 -artifact_prefix="$findings/" "$work" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
    touch "build/fuzz/$target.failed"
    printf 'fuzz: %s FAILED\n%s\n' "$target" "$(tail -n 40 "$log")"
  else
    printf 'fuzz: %s done: %s\n' "$target" \
      "$(grep -E "^stat::number_of_executed_runs" "$log" | tail -n 1 | sed 's/.*: *//') runs"
  fi
}
cores=$(nproc)
for target in "${targets[@]}"; do
  while (($(jobs -rp | wc -l) >= cores)); do wait -n || true; done
  echo "fuzz: $target for ${seconds} s"
  fuzz_one "$target" &
done
wait
failed=()
for target in "${targets[@]}"; do
  [[ -e "build/fuzz/$target.failed" ]] && failed+=("$target")
done

if ((${#failed[@]} > 0)); then
  echo "fuzz: findings in ${failed[*]} (inputs under build/fuzz/findings/)"
  exit 1
fi
echo "fuzz: no findings"
