#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# The page's copy of Debian's DVB scan tables (web/facade/page_scan_tables.cpp),
# made by the engine's reader from the tables installed (dtv-scan-tables).
# Run again when the package moves on; web_facade_tests says when.
#   scripts/make-web-scan-tables.sh [build folder, default build/dev]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
cmake --build "$build" --target scan_tables_tool
"$build/tests/web/scan_tables_tool" >web/facade/page_scan_tables.cpp.new
mv web/facade/page_scan_tables.cpp.new web/facade/page_scan_tables.cpp
echo "web/facade/page_scan_tables.cpp: $(grep -c '\\t' web/facade/page_scan_tables.cpp) tables"
