# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# The test command's stages: each runs to its end whatever the others did,
# its output shown and kept in build/test-logs/, and the command ends with
# one table of every stage (its tests, its time, passed, failed or skipped
# and why). Sourced by scripts/test.sh.
#
#   stage NAME [--after STAGE...] -- COMMAND...
# A command that exits 77 skipped, and says why on its last line of output
# ("skipped: ..."). A stage whose --after stages did not pass is skipped.

stage_logs=build/test-logs
stage_names=()
stage_results=()
stage_times=()
stage_tests=()
stage_notes=()
mkdir -p "$stage_logs"
rm -f "$stage_logs"/*.log

stage_status() {
  local name=$1 index
  for index in "${!stage_names[@]}"; do
    [[ "${stage_names[$index]}" == "$name" ]] && { echo "${stage_results[$index]}"; return; }
  done
  echo missing
}

# What a stage's log says of its tests: ctest's summary, node's checks,
# GoogleTest's brief, libFuzzer's targets.
count_tests() {
  local log=$1 summary
  summary=$(grep -E "^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+" "$log" | tail -n 1)
  if [[ -n "$summary" ]]; then
    local total failed skipped
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
    failed=$(sed -E 's/.*, ([0-9]+) tests? failed.*/\1/' <<<"$summary")
    skipped=$(grep -c "\*\*\*Skipped" "$log" || true)
    echo "$total ($failed failed, $skipped skipped)"
    return
  fi
  if grep -qE "^# pass [0-9]+" "$log"; then
    echo "$(sed -nE 's/^# tests ([0-9]+)/\1/p' "$log" | tail -n 1) ($(sed -nE 's/^# fail ([0-9]+)/\1/p' "$log" | tail -n 1) failed)"
    return
  fi
  if grep -qE "^\[==========\] [0-9]+ tests? from" "$log"; then
    local ran failed
    ran=$(sed -nE 's/^\[==========\] ([0-9]+) tests? from .* ran.*/\1/p' "$log" | tail -n 1)
    failed=$(sed -nE 's/^\[  FAILED  \] ([0-9]+) tests?, listed below.*/\1/p' "$log" | tail -n 1)
    echo "${ran:-?} (${failed:-0} failed)"
    return
  fi
  local checks failures
  checks=$(grep -cE "^(ok  |FAIL)" "$log" || true)
  failures=$(grep -cE "^FAIL" "$log" || true)
  if ((checks > 0)); then
    echo "$checks checks ($failures failed)"
    return
  fi
  local targets
  targets=$(grep -cE "^fuzz: [a-z_]+ for [0-9]+ s" "$log" || true)
  if ((targets > 0)); then
    echo "$targets targets"
    return
  fi
  echo "-"
}

# The skipped tests of a ctest log with GoogleTest's reasons (each test's
# output is kept by ctest --output-junit).
skipped_reasons() {
  local junit=$1
  [[ -f "$junit" ]] || return 0
  python3 - "$junit" <<'EOF'
import sys
import xml.etree.ElementTree as tree
for case in tree.parse(sys.argv[1]).getroot().iter('testcase'):
    if case.find('skipped') is None:
        continue
    output = case.findtext('system-out') or ''
    lines = [line.strip() for line in output.split('\n')]
    reason = ''
    for index, line in enumerate(lines):
        if line.endswith(': Skipped') and index + 1 < len(lines):
            reason = lines[index + 1]
    print(f"{case.get('name')}: {reason or 'no reason given'}")
EOF
}

stage() {
  local name=$1
  shift
  local after=()
  if [[ "${1:-}" == "--after" ]]; then
    shift
    while [[ "$1" != "--" ]]; do after+=("$1"); shift; done
  fi
  [[ "$1" == "--" ]] && shift
  local number=$((${#stage_names[@]} + 1))
  local log
  log="$stage_logs/$(printf '%02d' "$number")-${name//[^a-zA-Z0-9]/-}.log"
  stage_names+=("$name")
  echo
  echo "==> [$number] $name"
  local needed
  for needed in "${after[@]}"; do
    if [[ "$(stage_status "$needed")" != passed ]]; then
      echo "skipped: $needed did not pass" | tee "$log"
      stage_results+=(skipped) stage_times+=("0:00") stage_tests+=("-") stage_notes+=("$needed did not pass")
      return 0
    fi
  done
  local start=$SECONDS status
  "$@" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  local elapsed=$((SECONDS - start))
  stage_times+=("$(printf '%d:%02d' $((elapsed / 60)) $((elapsed % 60)))")
  stage_tests+=("$(count_tests "$log")")
  case $status in
    0) stage_results+=(passed) stage_notes+=("") ;;
    77) stage_results+=(skipped)
        stage_notes+=("$(grep -E "skipped" "$log" | tail -n 1 | sed -E 's/.*skipped[:,]? *//')") ;;
    *) stage_results+=(failed) stage_notes+=("exit status $status; output in $log") ;;
  esac
  echo "<== [$number] $name: ${stage_results[-1]} in ${stage_times[-1]}"
}

# The table, the skipped tests with their reasons; the status: non-zero
# when any stage failed.
stage_summary() {
  local index failed=0
  echo
  echo "Stage                           Time    Result   Tests"
  echo "------------------------------  ------  -------  -------------------------"
  for index in "${!stage_names[@]}"; do
    printf '%-30s  %6s  %-7s  %s\n' "${stage_names[$index]}" "${stage_times[$index]}" "${stage_results[$index]}" \
      "${stage_tests[$index]}"
    [[ -n "${stage_notes[$index]}" ]] && printf '%-30s  %6s  %-7s  %s\n' "" "" "" "${stage_notes[$index]}"
    [[ "${stage_results[$index]}" == failed ]] && failed=1
  done
  local junit
  for junit in "$stage_logs"/*.junit.xml; do
    [[ -f "$junit" ]] || continue
    local reasons
    reasons=$(skipped_reasons "$junit")
    [[ -z "$reasons" ]] && continue
    echo
    echo "Skipped in $(basename "$junit" .junit.xml):"
    sed 's/^/  /' <<<"$reasons"
  done
  local total=$SECONDS
  echo
  printf 'The test command took %d:%02d; ' $((total / 60)) $((total % 60))
  if ((failed)); then
    echo "FAILED (logs in $stage_logs/)"
    return 1
  fi
  echo "passed"
}
