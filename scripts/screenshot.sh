#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Takes docs/screenshot.png and docs/screenshot-dark.png: the main window on a
# private X server after choosing "Calgary" and "Anik E2 - Star Choice
# (Canada)" with mouse and keys, under the default palette and under qt6ct's
# "darker" colour scheme; then, from the Tools menu, Installation Details,
# the Sky Chart and the installation sheet's first page.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
scripts/build.sh dev
# Calgary's own clock, for the sun times of the assistant's pictures.
export TZ=America/Edmonton
tests/desktop/with-x-server.sh scripts/screenshot-session.sh "$PWD/docs/screenshot.png" "" "$PWD/docs"
tests/desktop/with-x-server.sh scripts/screenshot-session.sh "$PWD/docs/screenshot-dark.png" darker
