#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Makes a real print queue for the printing test: starts the CUPS daemon when
# it is not running and adds the PDF queue "AzimoraPDF", keeping the files of
# finished jobs so that the test can read what the queue received.
# Never fails the caller: without CUPS the test skips and says why.
#   setup-print-queue.sh --check   exit 0 when the scheduler runs and the
#                                  queue is there (asks no root)
# The queue is added only after PreserveJobFiles is set, so a queue that is
# there needs nothing more.
set -uo pipefail

queue=AzimoraPDF
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  sudo=(sudo)
fi

if ! command -v cupsd >/dev/null 2>&1 && [[ ! -x /usr/sbin/cupsd ]]; then
  echo "setup-print-queue: CUPS is not installed; the print queue test will be skipped"
  exit 0
fi

scheduler_running() { lpstat -r 2>/dev/null | grep -q "is running"; }
queue_ready() { scheduler_running && lpstat -p "$queue" >/dev/null 2>&1; }

if [[ "${1:-}" == "--check" ]]; then
  # Without CUPS there is nothing to set up: the test skips.
  command -v cupsd >/dev/null 2>&1 || [[ -x /usr/sbin/cupsd ]] || exit 0
  queue_ready
  exit
fi
queue_ready && exit 0

if ! scheduler_running; then
  "${sudo[@]}" /usr/sbin/cupsd || true
  for _ in $(seq 50); do scheduler_running && break; sleep 0.2; done
fi
if ! scheduler_running; then
  echo "setup-print-queue: the CUPS scheduler does not start here; the print queue test will be skipped"
  exit 0
fi

if ! "${sudo[@]}" cupsctl | grep -q "PreserveJobFiles=Yes"; then
  "${sudo[@]}" cupsctl PreserveJobFiles=Yes || true
  for _ in $(seq 50); do scheduler_running && break; sleep 0.2; done
fi
if ! lpstat -p "$queue" >/dev/null 2>&1; then
  "${sudo[@]}" lpadmin -p "$queue" -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd ||
    echo "setup-print-queue: could not add the queue $queue"
fi
exit 0
