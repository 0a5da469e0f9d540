#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Installs what is missing, builds and starts Azimora.
set -euo pipefail
cd "$(dirname "$0")/.."
# A window needs a desktop: say so at once, not after a build of minutes.
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "run: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); start it from a desktop session" >&2
  exit 1
fi
scripts/install-deps.sh
scripts/build.sh release
exec build/release/shell/azimora
