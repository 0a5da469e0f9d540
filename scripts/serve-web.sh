#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Builds the web page and serves it on this computer, a secure context for
# the browser (position, orientation, offline copy): http://127.0.0.1:8642/
#   serve-web.sh [port]
set -euo pipefail
cd "$(dirname "$0")/.."
port="${1:-8642}"
# Installs emscripten first where it is missing, as run.sh installs what the program needs.
scripts/build-web.sh --install-deps
echo "Azimora's page: http://127.0.0.1:$port/ (Ctrl+C stops it)"
exec python3 -m http.server --bind 127.0.0.1 --directory build/web/site "$port"
