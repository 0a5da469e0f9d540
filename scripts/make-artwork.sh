#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Redraws the splash picture and the icons into assets/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh dev
QT_QPA_PLATFORM=offscreen build/dev/assets/make_artwork assets
