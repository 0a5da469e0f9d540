#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Takes docs/screenshot.png and docs/screenshot-dark.png: the main window on a
# private X server after choosing "Calgary" and "Anik E2 - Star Choice
# (Canada)" with mouse and keys, under the default palette and under qt6ct's
# "darker" colour scheme.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
scripts/build.sh dev
tests/desktop/with-x-server.sh scripts/screenshot-session.sh "$PWD/docs/screenshot.png"
tests/desktop/with-x-server.sh scripts/screenshot-session.sh "$PWD/docs/screenshot-dark.png" darker
