#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Runs a command on a private X server (Xvfb) with a small window manager
# (openbox) and, with --accessibility, an AT-SPI bus on a private D-Bus
# session; everything started here is stopped again.
#   with-x-server.sh [--accessibility] command [arguments...]
# The screen is 1280x1024x24 unless AZIMORA_TEST_SCREEN names another.
set -euo pipefail

accessibility=0
if [[ "${1:-}" == "--accessibility" ]]; then
  accessibility=1
  shift
fi

workdir=$(mktemp -d)
# Never changes the exit status: under errexit a failing last step here (a
# process already gone, a file still being written) would replace it.
cleanup() {
  set +e
  [[ -n "${wm_pid:-}" ]] && kill -CONT "$wm_pid" 2>/dev/null && kill "$wm_pid" 2>/dev/null
  [[ -n "${xvfb_pid:-}" ]] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$workdir" 2>/dev/null
  return 0
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number to the pipe. -noreset:
# otherwise it resets when its last client leaves (the first xprop below),
# and a client that connects meanwhile (the window manager) is refused.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 "${AZIMORA_TEST_SCREEN:-1280x1024x24}" -nolisten tcp -noreset >"$workdir/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 60 -u "$display_fd" display_number || { cat "$workdir/xvfb.log"; echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$display_number"
export QT_QPA_PLATFORM=xcb

# The window manager, before any window: on a busy machine it may take
# seconds to start, and a window mapped before it would go unframed.
openbox --sm-disable >"$workdir/openbox.log" 2>&1 &
wm_pid=$!
# Tests may hold it still for a while, as a busy machine would.
export AZIMORA_TEST_WM_PID=$wm_pid
for _ in $(seq 600); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  kill -0 "$wm_pid" 2>/dev/null || break
  sleep 0.1
done
if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; then
  cat "$workdir/openbox.log"
  echo "with-x-server: the window manager (openbox) did not start"
  exit 1
fi

if ((accessibility)); then
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
  # The command's own exit status is what counts, not how the helper daemons
  # of the private session go down afterwards.
  dbus-run-session -- bash -c '
    rc_file=$1
    shift
    /usr/libexec/at-spi-bus-launcher --launch-immediately --a11y=1 &
    launcher=$!
    # Until the accessibility bus answers, at most 10 s.
    for _ in $(seq 100); do
      dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null 2>&1 && break
      sleep 0.1
    done
    "$@"
    echo $? >"$rc_file"
    kill $launcher 2>/dev/null
    exit 0' bash "$workdir/rc" "$@" || true
  [[ -s "$workdir/rc" ]] || { echo "with-x-server: the command did not run to its end"; exit 1; }
  exit "$(cat "$workdir/rc")"
fi
"$@"
