#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# The layer check must fail on a real climb: in a copy of the sources, the
# pointing calculation includes the main window, the engine includes Qt, and
# the page's facade includes azimora-calc's report (the page renders the
# engine's report, never the calculator's).
#   catches_a_climb.sh <layer_check> <project folder>
set -euo pipefail
check=$1
project=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r "$project/docs" "$project/engine" "$project/shell" "$project/data_sources" "$project/calc" "$project/web" "$scratch/"

"$check" "$scratch" >/dev/null || { echo "the unchanged copy should pass"; exit 1; }

echo '#include "main_window/main_window.h"' >>"$scratch/engine/geometry/pointing.cpp"
echo '#include <QString>' >>"$scratch/engine/text/number_text.h"
echo '#include "calc_report.h"' >>"$scratch/web/facade/web_facade.cpp"
touch "$scratch/engine/stray.cpp"
if output=$("$check" "$scratch" 2>&1); then
  echo "layer_check passed a copy with a climbing include:"; echo "$output"; exit 1
fi
expected=(
  "engine/geometry/pointing.cpp:.*includes shell/main_window/main_window.h, but engine/geometry may not include shell/main_window"
  "engine/text/number_text.h:.*includes <QString>, but engine/text is free of Qt"
  "engine/stray.cpp: belongs to no layer"
  "web/facade/web_facade.cpp:.*includes calc/calc_report.h, but web/facade may not include calc"
)
for line in "${expected[@]}"; do
  grep -q -E "$line" <<<"$output" || { echo "missing: $line"; echo "$output"; exit 1; }
done
echo "layer_check caught all four"
