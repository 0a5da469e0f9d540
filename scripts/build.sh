#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Configures and builds one CMake preset (default: dev).
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-dev}"
if [[ ! -f "build/$preset/CMakeCache.txt" ]]; then
  cmake --preset "$preset"
fi
cmake --build --preset "$preset" -j "$(nproc)"
