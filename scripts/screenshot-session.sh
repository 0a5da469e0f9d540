#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# The part of screenshot.sh that runs on the X server (DISPLAY is set).
set -euo pipefail
#   screenshot-session.sh output.png [qt6ct colour scheme]
output="$1"
scheme="${2:-}"
cd "$(dirname "$0")/.."

folder=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null; rm -rf "$folder"' EXIT
cp build/dev/shell/azimora "$folder/"
if [[ -n "$scheme" ]]; then
  # A dark desktop as qt6ct sets one up.
  mkdir -p "$folder/config/qt6ct"
  printf '[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/%s.conf\ncustom_palette=true\nstyle=Fusion\n' \
    "$scheme" >"$folder/config/qt6ct/qt6ct.conf"
  export XDG_CONFIG_HOME="$folder/config" QT_QPA_PLATFORMTHEME=qt6ct
fi
LC_ALL=en_US.UTF-8 "$folder/azimora" &
pid=$!

window=""
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name '^Azimora 2\.0$' 2>/dev/null | head -n1) && [[ -n "$window" ]] && break
  sleep 0.1
done
[[ -n "$window" ]] || { echo "the main window did not appear"; exit 1; }
sleep 0.5

# The client area is 600 x 419 below the menu bar.
height=$(xwininfo -id "$window" | awk '/Height:/ {print $2}')
menu=$((height - 419))
first_row=$((menu + 107 + 16 + 8))

# Location: CANADA > ALBERTA > Calgary, by mouse and arrow keys.
xdotool mousemove --window "$window" 330 "$first_row" click 1
xdotool key --delay 80 Right Down Right Down
# Satellite: typing its first letters finds it.
xdotool mousemove --window "$window" 40 "$first_row" click 1
xdotool type --delay 40 "Anik E2"
xdotool mousemove --window "$window" 590 390
sleep 0.6
import -window "$window" "$output"
echo "wrote $output"
