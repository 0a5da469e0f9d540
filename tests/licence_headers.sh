#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Every source file carries its SPDX licence header.
#   licence_headers.sh <source folder>
set -euo pipefail
cd "$1"
missing=$(find engine shell calc data_sources assets/tools tests bench scripts cmake packaging .ci -type f \
  \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' -o -name '*.cmake' -o -name 'CMakeLists.txt' -o -name run \) \
  -not -path 'tests/fuzz/corpus/*' -print0 | xargs -0 grep -L "SPDX-License-Identifier: MIT" || true)
missing+=$(grep -L "SPDX-License-Identifier: MIT" CMakeLists.txt || true)
if [[ -n "$missing" ]]; then
  echo "without an SPDX licence header:"
  echo "$missing"
  exit 1
fi
