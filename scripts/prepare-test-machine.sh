#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# What the test suite needs of the machine, everything that needs root in
# one go (one password at most): the Debian packages that are missing and
# the print queue. Then the test tools from npm, as the user. Quick when
# all is there: it only asks dpkg and the print scheduler, and calls no sudo.
set -euo pipefail
cd "$(dirname "$0")/.."

missing=$(scripts/install-deps.sh --test --list-missing)
queue_ready=1
scripts/setup-print-queue.sh --check || queue_ready=0

if [[ -n "$missing" || $queue_ready -eq 0 ]]; then
  what=()
  [[ -n "$missing" ]] && what+=("install the packages: $missing")
  ((queue_ready)) || what+=("start the print scheduler and add the test's print queue")
  if [[ $(id -u) -eq 0 ]]; then
    scripts/install-deps.sh --test --system-only
    scripts/setup-print-queue.sh
  elif command -v sudo >/dev/null 2>&1; then
    echo "prepare: sudo, once, to ${what[*]}"
    sudo bash -c 'scripts/install-deps.sh --test --system-only && scripts/setup-print-queue.sh'
  else
    echo "prepare: root is needed to ${what[*]}; sudo is not installed: run this as root (su -c '$0')" >&2
    exit 1
  fi
fi
scripts/install-deps.sh --test --npm-only
