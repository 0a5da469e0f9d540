#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Builds the web page into build/web/site (or $AZIMORA_WEB_OUT/site): the engine and azimora-calc's
# report as WebAssembly (Debian's emscripten), beside the page's HTML, CSS,
# ES modules, towns and icons, and the service worker's list of files with
# the build's version. Nothing is fetched.
#   build-web.sh [--install-deps]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/em-compile.sh
if [[ "${1:-}" == "--install-deps" ]]; then scripts/install-deps.sh --web; fi
if ! command -v em++ >/dev/null 2>&1; then
  echo "web: em++ is missing: install emscripten with scripts/install-deps.sh --web (or run scripts/serve-web.sh, which does)" >&2
  exit 1
fi
[[ -f web/data/towns.json ]] || { echo "web: web/data/towns.json is missing (node scripts/make-web-towns.mjs)"; exit 1; }

# Emscripten's tools need node's modules (acorn) from Debian's folder.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
out=${AZIMORA_WEB_OUT:-build/web}
site=$out/site
objects=$out/objects
generated=$out/generated
mkdir -p "$site" "$objects" "$generated"

version=$(sed -n 's/^project(Azimora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
sed "s/@PROJECT_VERSION@/$version/" cmake/version.h.in >"$generated/azimora_version.h.new"
cmp -s "$generated/azimora_version.h.new" "$generated/azimora_version.h" 2>/dev/null ||
  mv "$generated/azimora_version.h.new" "$generated/azimora_version.h"
rm -f "$generated/azimora_version.h.new"
cmake -DINPUT=engine/sky/data/WMM2025.COF -DOUTPUT="$PWD/$generated/wmm2025_coefficients.cpp" -DSYMBOL=kWmm2025 \
  -P cmake/EmbedMagneticModel.cmake
cmake -DVSOP=engine/sky/data/vsop87d_earth.txt -DNUTATION=engine/sky/data/nutation_iau1980.txt \
  -DOUTPUT="$PWD/$generated/solar_series.cpp" -P cmake/EmbedSolarSeries.cmake

# The engine without what needs threads (the element file reader's blocks).
sources=()
while IFS= read -r file; do sources+=("$file"); done < <(
  find engine -name '*.cpp' ! -name element_file_reader.cpp | sort)
sources+=(calc/calc_report.cpp calc/zone_time.cpp web/facade/web_facade.cpp
          "$generated/wmm2025_coefficients.cpp" "$generated/solar_series.cpp")

# -fexceptions: an engine error is an answer, not an abort. 128-bit long
# double, printed at its precision (PRINTF_LONG_DOUBLE).
# No data folder: the page keeps no files (time zones come from the browser).
flags=(-std=c++20 -O2 -fexceptions -Wall -Wextra -Wpedantic -Iengine -Icalc -I"$generated" -DAZIMORA_DATA_DIR=\"/nonexistent\")
em_compile "$objects" web engine calc web/facade -- "${flags[@]}" -- "${sources[@]}"
em++ "${objectFiles[@]}" -o "$site/azimora-engine.js" -O2 -fexceptions \
  -sMODULARIZE=1 -sEXPORT_ES6=1 -sEXPORT_NAME=createAzimoraEngine -sENVIRONMENT=web,worker,node \
  -sALLOW_MEMORY_GROWTH=1 -sPRINTF_LONG_DOUBLE=1 -sFILESYSTEM=0 \
  -sEXPORTED_FUNCTIONS=_azimora_figures,_azimora_sky,_azimora_elements,_azimora_catalogues,_malloc,_free \
  -sEXPORTED_RUNTIME_METHODS=UTF8ToString,stringToUTF8,lengthBytesUTF8

# The page itself, the towns, the icons.
cp -r web/site/. "$site/"
cp web/data/towns.json "$site/towns.json"
for size in 128 256; do cp "assets/icon-$size.png" "$site/icon-$size.png"; done

# The service worker keeps exactly these files, under this build's version:
# a new build replaces the old as a whole.
build=$(cat "$site"/azimora-engine.wasm "$site"/*.js "$site"/*.html "$site"/*.css "$site"/towns.json | sha256sum | cut -c1-12)
files=$(cd "$site" && find . -type f ! -name sw.js ! -name files.json | sed 's|^\./||' | sort)
{
  echo "{\"version\": \"$version-$build\", \"files\": ["
  echo "$files" | sed 's/.*/  "&"/' | paste -sd, -
  echo "]}"
} >"$site/files.json"
sed -i "s/__AZIMORA_BUILD__/$version-$build/" "$site/sw.js"
echo "web: $site ($(du -sh "$site" | cut -f1); engine $(stat -c %s "$site/azimora-engine.wasm") bytes of WebAssembly)"
