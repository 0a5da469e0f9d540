#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# The part of screenshot.sh that runs on the X server (DISPLAY is set).
set -euo pipefail
#   screenshot-session.sh output.png [qt6ct colour scheme] [assistant folder]
# With an assistant folder it also takes installation-details.png,
# sky-chart.png and installation-sheet.png (the sheet's first page) there.
output="$1"
scheme="${2:-}"
assistant="${3:-}"
cd "$(dirname "$0")/.."

folder=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null; rm -rf "$folder"' EXIT
cp build/dev/shell/azimora "$folder/"
# The program's settings (the web page's address typed below) stay here.
export XDG_CONFIG_HOME="$folder/config"
if [[ -n "$scheme" ]]; then
  # A dark desktop as qt6ct sets one up.
  mkdir -p "$folder/config/qt6ct"
  printf '[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/%s.conf\ncustom_palette=true\nstyle=Fusion\n' \
    "$scheme" >"$folder/config/qt6ct/qt6ct.conf"
  export QT_QPA_PLATFORMTHEME=qt6ct
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

# The client area is 600 x 419 below the menu bar, times QT_SCALE_FACTOR
# in pixels.
px() { awk -v value="$1" -v scale="${QT_SCALE_FACTOR:-1}" 'BEGIN { printf "%d", value * scale }'; }
height=$(xwininfo -id "$window" | awk '/Height:/ {print $2}')
menu=$((height - $(px 419)))
first_row=$((menu + $(px $((107 + 16 + 8)))))

# Location: CANADA > ALBERTA > Calgary, by mouse and arrow keys.
xdotool mousemove --window "$window" "$(px 330)" "$first_row" click 1
xdotool key --delay 80 Right Down Right Down
# Satellite: typing its first letters finds it.
xdotool mousemove --window "$window" "$(px 40)" "$first_row" click 1
xdotool type --delay 40 "Anik E2"
xdotool mousemove --window "$window" "$(px 590)" "$(px 390)"
sleep 0.6
import -window "$window" "$output"
echo "wrote $output"
[[ -n "$assistant" ]] || exit 0

# Waits for a window with this exact title and prints its id.
window_named() {
  local id=""
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) && [[ -n "$id" ]] && break
    sleep 0.1
  done
  [[ -n "$id" ]] || { echo "no window '$1'" >&2; return 1; }
  echo "$id"
}

# Tools > Installation Details (Alt+T opens the menu on its first item).
xdotool windowfocus --sync "$window" key --delay 200 alt+t Return
details=$(window_named "Installation Details")
sleep 0.8
import -window "$details" "$assistant/installation-details.png"
echo "wrote $assistant/installation-details.png"
# The web page's address (Alt+P), then the link and its QR code beside it,
# the entries scrolled to their end by the mouse wheel.
xdotool windowfocus --sync "$details" key --delay 200 alt+p
xdotool type --delay 20 "https://dish.example/azimora/"
xdotool key --delay 200 Tab
sleep 0.5
xdotool mousemove --window "$details" 600 650 click --repeat 40 --delay 30 5
sleep 0.8
import -window "$details" "$assistant/installation-details-link.png"
echo "wrote $assistant/installation-details-link.png"
wmctrl -i -c "$details"

# Tools > Sky Chart, the second item.
xdotool windowfocus --sync "$window" key --delay 200 alt+t Down Return
sky=$(window_named "Sky Chart")
sleep 0.8
import -window "$sky" "$assistant/sky-chart.png"
echo "wrote $assistant/sky-chart.png"
wmctrl -i -c "$sky"

# Tools > Save Installation Sheet, the third item, into a file; then its first page.
sleep 0.5
xdotool windowfocus --sync "$window" key --delay 200 alt+t Down Down Return
dialog=$(window_named "Save Installation Sheet")
sleep 0.5
xdotool windowfocus --sync "$dialog" key ctrl+a
xdotool type --delay 20 "$folder/sheet.pdf"
xdotool key Return
for _ in $(seq 100); do [[ -s "$folder/sheet.pdf" ]] && break; sleep 0.1; done
sleep 0.5
pdftoppm -r 80 -png -f 1 -l 1 -singlefile "$folder/sheet.pdf" "$assistant/installation-sheet"
echo "wrote $assistant/installation-sheet.png"
