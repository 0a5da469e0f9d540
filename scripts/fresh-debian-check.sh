#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# The README's two commands on a fresh Debian 12 of today, followed as a
# newcomer would: a new root (mmdebstrap, variant important, with sudo and
# locales, Debian's current packages from bookworm, -updates and -security),
# git installed with apt-get, a clone of this repository's committed state,
# then scripts/run.sh until the window stands on a virtual screen, then
# scripts/test.sh, then scripts/test.sh once more (everything installed: it
# must call no sudo). Once as a user who may use sudo, once as root, each
# in a root of its own. Not part of the test command: it needs root, the
# network and about 6 GB a root.
#   sudo scripts/fresh-debian-check.sh [--as user|root|both] [--keep] [folder]
# The logs and a screenshot of the window land in folder (default
# /var/tmp/azimora-fresh-debian); each root is removed at the end unless --keep.
set -euo pipefail
cd "$(dirname "$0")/.."
source=$PWD

as=both
keep=0
work=/var/tmp/azimora-fresh-debian
while (($#)); do
  case $1 in
    --as) as=$2; shift 2 ;;
    --keep) keep=1; shift ;;
    -h|--help) sed -n '3,16p' "$0"; exit 0 ;;
    *) work=$1; shift ;;
  esac
done
[[ "$as" =~ ^(user|root|both)$ ]] || { echo "fresh-debian-check: --as takes user, root or both" >&2; exit 2; }
[[ $(id -u) -eq 0 ]] || { echo "fresh-debian-check: run as root (it makes a Debian root and mounts into it)" >&2; exit 1; }
missing_tools=()
for tool in mmdebstrap Xvfb xdotool import; do
  command -v "$tool" >/dev/null 2>&1 || missing_tools+=("$tool")
done
if ((${#missing_tools[@]})); then
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends mmdebstrap xvfb xdotool imagemagick
fi
mkdir -p "$work"
free_kb=$(df --output=avail -k "$work" | tail -n 1)
((free_kb > 6 * 1024 * 1024)) || { echo "fresh-debian-check: $work has less than 6 GB free" >&2; exit 1; }

# A root shares this host's network: a print scheduler of the host's own
# would answer its tests on localhost:631 in place of the root's. Stopped
# while the check runs, started again at the end.
host_cupsd=0
if pgrep -x cupsd >/dev/null; then
  pkill -x cupsd
  host_cupsd=1
fi

summary=$work/summary.txt
: >"$summary"
say() { echo "fresh-debian-check: $*" | tee -a "$summary"; }

# Every process whose root is the chroot (the program, the print
# scheduler the tests started, ...).
stop_inside() {
  local root=$1 pid
  for pid in /proc/[0-9]*; do
    [[ "$(readlink "$pid/root" 2>/dev/null)" == "$root" ]] && kill -9 "${pid#/proc/}" 2>/dev/null
  done
  sleep 1
}
# Then its mounts, deepest first.
leave_root() {
  local root=$1
  stop_inside "$root"
  findmnt -rn -o TARGET | grep "^$root/" | sort -r | while read -r mount; do umount -l "$mount" || true; done
}
current_root=""
finish() {
  [[ -n "$current_root" ]] && leave_root "$current_root"
  ((host_cupsd)) && /usr/sbin/cupsd
  return 0
}
trap finish EXIT

check_one() {
  local who=$1
  local root=$work/root-$who
  local log=$work/$who
  mkdir -p "$log"
  findmnt -rn -o TARGET | grep -q "^$root/" && { say "$who: $root still has mounts"; return 1; }
  rm -rf --one-file-system "$root"
  local display=:$((90 + RANDOM % 9))
  say "$who: a fresh Debian 12 root in $root"
  local start=$SECONDS
  mmdebstrap --variant=important --include=sudo,locales bookworm "$root" \
    "deb http://deb.debian.org/debian bookworm main" \
    "deb http://deb.debian.org/debian bookworm-updates main" \
    "deb http://deb.debian.org/debian-security bookworm-security main" >"$log/mmdebstrap.log" 2>&1
  say "$who: root made in $((SECONDS - start)) s; $(chroot "$root" dpkg-query -W -f='tzdata ${Version}' tzdata)"

  current_root=$root
  mount -t proc proc "$root/proc"
  mount --rbind /sys "$root/sys"
  mount --rbind /dev "$root/dev"
  mount -t tmpfs tmpfs "$root/dev/shm"
  mount -t tmpfs tmpfs "$root/run"
  mkdir -p "$root/tmp/.X11-unix" "$root/source"
  mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
  mount --bind -o ro "$source" "$root/source"
  cp /etc/resolv.conf /etc/hosts "$root/etc/"
  # Certificate authorities this host added for its own network (a proxy
  # that inspects TLS, say) are trusted inside too: the root goes out
  # through this host's network. A machine outside such a network has none.
  local extra_authorities=0
  if compgen -G "/usr/local/share/ca-certificates/*.crt" >/dev/null; then
    mkdir -p "$root/usr/local/share/ca-certificates"
    cp /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/"
    extra_authorities=1
  fi

  local home=/root run=(chroot "$root")
  if [[ $who == user ]]; then
    chroot "$root" useradd -m -s /bin/bash -G sudo installer
    # The user's password is not typed here; sudo logs every call, so the
    # check can count them.
    printf 'installer ALL=(ALL) NOPASSWD: ALL\nDefaults logfile=/var/log/sudo-calls.log\n' >"$root/etc/sudoers.d/installer"
    home=/home/installer
    run=(chroot --userspec=installer:installer "$root")
  fi
  local environment=(env -i HOME="$home" PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin TERM=dumb LANG=C.UTF-8)
  ((extra_authorities)) && environment+=(NODE_EXTRA_CA_CERTS=/etc/ssl/certs/ca-certificates.crt)

  # The README's first steps: git, then the clone (of a folder another
  # user owns, which git refuses unless told it is safe).
  local sudo_word=""
  [[ $who == user ]] && sudo_word=sudo
  "${run[@]}" "${environment[@]}" bash -c "cd && $sudo_word apt-get update && $sudo_word apt-get install -y git && git config --global --add safe.directory '*' && git clone /source azimora" \
    >"$log/clone.log" 2>&1 || { say "$who: git or the clone FAILED (log $log/clone.log)"; return 1; }

  # scripts/run.sh on a virtual screen, until the main window stands.
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$log/xvfb.log" 2>&1 &
  local xvfb=$!
  start=$SECONDS
  "${run[@]}" "${environment[@]}" DISPLAY="$display" bash -c 'cd ~/azimora && scripts/run.sh' >"$log/run.log" 2>&1 &
  local program=$!
  local window=""
  while kill -0 "$program" 2>/dev/null && [[ -z "$window" ]] && ((SECONDS - start < 7200)); do
    sleep 5
    window=$(DISPLAY=$display xdotool search --name "Azimora" 2>/dev/null | head -n 1 || true)
  done
  if [[ -n "$window" ]]; then
    sleep 3
    DISPLAY=$display import -window root "$log/run-window.png"
    say "$who: scripts/run.sh showed the window after $((SECONDS - start)) s (screenshot $log/run-window.png)"
  else
    say "$who: scripts/run.sh FAILED: no window (log $log/run.log)"
  fi
  stop_inside "$root"
  kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true

  # scripts/test.sh, twice: from nothing, then with everything in place.
  local round
  for round in first second; do
    : >"$root/var/log/sudo-calls.log"
    start=$SECONDS
    local status=0
    "${run[@]}" "${environment[@]}" bash -c 'cd ~/azimora && scripts/test.sh' >"$log/test-$round.log" 2>&1 || status=$?
    local minutes=$(((SECONDS - start) / 60)) seconds=$(((SECONDS - start) % 60))
    local sudo_calls
    sudo_calls=$(grep -c "COMMAND=" "$root/var/log/sudo-calls.log" 2>/dev/null || true)
    say "$who: scripts/test.sh ($round run) exit $status in ${minutes} min ${seconds} s; sudo called ${sudo_calls:-0} times"
    sed -n '/^Stage  /,$p' "$log/test-$round.log" | sed 's/^/    /' | tee -a "$summary"
  done
  if [[ $who == user ]] && (($(grep -c "COMMAND=" "$root/var/log/sudo-calls.log" 2>/dev/null || echo 0) > 0)); then
    say "$who: FAILED: the second run called sudo"
  fi
  leave_root "$root"
  current_root=""
  # Never remove through a mount that is still there (/dev is bound in).
  if findmnt -rn -o TARGET | grep -q "^$root/"; then
    say "$who: mounts remain under $root; it is kept"
  elif ((!keep)); then
    rm -rf --one-file-system "$root"
  fi
}

case $as in
  user) check_one user ;;
  root) check_one root ;;
  both) check_one user; check_one root ;;
esac
say "logs in $work"
! grep -q "FAILED\|exit [1-9]" "$summary"
