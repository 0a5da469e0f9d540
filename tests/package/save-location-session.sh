#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# On the X server: starts the installed program, saves the location as it
# stands ("..." beside the location name, then Yes), closes it.
set -euo pipefail
/usr/bin/azimora &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

window=""
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^Azimora 2\.0$' 2>/dev/null | head -n1) && [[ -n "$window" ]] && break
  sleep 0.1
done
[[ -n "$window" ]] || { echo "the main window did not appear" >&2; exit 1; }
sleep 0.3

# The client area is 600 x 419 below the menu bar; btnLocSave at 305,14 in pnlLocation at 0,41.
height=$(xwininfo -id "$window" | awk '/Height:/ {print $2}')
menu=$((height - 419))
xdotool mousemove --window "$window" 315 $((menu + 41 + 25)) click 1
question=""
for _ in $(seq 50); do
  question=$(xdotool search --onlyvisible --name '^Confirm$' 2>/dev/null | head -n1) && [[ -n "$question" ]] && break
  sleep 0.1
done
[[ -n "$question" ]] || { echo "no save question" >&2; exit 1; }
xdotool windowfocus --sync "$question" key Return
for _ in $(seq 50); do
  [[ -z "$(xdotool search --onlyvisible --name '^Confirm$' 2>/dev/null)" ]] && break
  sleep 0.1
done
wmctrl -i -c "$window"
wait "$pid"
