#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Keeps a long build's output in a log and shows how far it is: a line at
# every tenth of the way (CMake's "[ 40%]"), so that minutes of building
# are not minutes of silence.
#   some-build 2>&1 | build-progress.sh LOG "what is built"
set -uo pipefail
log=$1
what=${2:-build}
: >"$log"
last=-10
started=$SECONDS
while IFS= read -r line; do
  printf '%s\n' "$line" >>"$log"
  if [[ "$line" =~ ^\[\ *([0-9]+)%\] ]]; then
    percent=${BASH_REMATCH[1]}
    if ((percent >= last + 10)); then
      last=$percent
      printf '  %s: %3d%% (%d:%02d)\n' "$what" "$percent" $(((SECONDS - started) / 60)) $(((SECONDS - started) % 60))
    fi
  fi
done
