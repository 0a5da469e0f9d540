#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Builds the web page into build/web/site (or $AZIMORA_WEB_OUT/site): the engine and its site
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
# The site anew: a file gone from the page is gone from the site (and its offline copy).
rm -rf "$site"
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
sources+=(web/facade/element_files.cpp web/facade/page_scan_tables.cpp web/facade/query_fields.cpp
          web/facade/town_search.cpp web/facade/web_facade.cpp "$generated/wmm2025_coefficients.cpp"
          "$generated/solar_series.cpp")

# -fexceptions: an engine error is an answer, not an abort. 128-bit long
# double, printed at its precision (PRINTF_LONG_DOUBLE).
# No data folder: the page keeps no files (time zones come from the browser).
flags=(-std=c++20 -O2 -fexceptions -Wall -Wextra -Wpedantic -Iengine -I"$generated" -DAZIMORA_DATA_DIR=\"/nonexistent\")
em_compile "$objects" web engine web/facade -- "${flags[@]}" -- "${sources[@]}"
# The engine as a library: each module links only what its calls reach.
library=()
for object in "${objectFiles[@]}"; do [[ $object == *web_facade_* ]] || library+=("$object"); done
# (the scan tables' copy goes with the figures, whose report asks for it)
rm -f "$objects/engine.a"
emar rcs "$objects/engine.a" "${library[@]}"
module=(-O2 -fexceptions -sMODULARIZE=1 -sEXPORT_ES6=1 -sENVIRONMENT=web,worker,node -sALLOW_MEMORY_GROWTH=1
        -sFILESYSTEM=0 -sEXPORTED_RUNTIME_METHODS=UTF8ToString,stringToUTF8,lengthBytesUTF8)
# The figures first: what the page needs before anything shows.
em++ "$objects/web_facade_web_facade.cpp.o" "$objects/web_facade_query_fields.cpp.o" \
  "$objects/web_facade_page_scan_tables.cpp.o" "$objects/engine.a" \
  -o "$site/azimora-engine.js" "${module[@]}" -sEXPORT_NAME=createAzimoraEngine -sPRINTF_LONG_DOUBLE=1 \
  -sEXPORTED_FUNCTIONS=_azimora_figures,_azimora_sky,_azimora_catalogues,_azimora_read,_malloc,_free
# The town search, fetched with the towns when the town field is first touched.
em++ "$objects/web_facade_town_search.cpp.o" "$objects/engine.a" \
  -o "$site/azimora-towns.js" "${module[@]}" -sEXPORT_NAME=createAzimoraTowns \
  -sEXPORTED_FUNCTIONS=_azimora_towns_load,_azimora_towns_find,_azimora_fold,_malloc,_free
# Element files (SGP4 and the readers of five formats), fetched when one is chosen.
em++ "$objects/web_facade_element_files.cpp.o" "$objects/engine.a" \
  -o "$site/azimora-elements.js" "${module[@]}" -sEXPORT_NAME=createAzimoraElements -sPRINTF_LONG_DOUBLE=1 \
  -sEXPORTED_FUNCTIONS=_azimora_elements,_malloc,_free

# The page itself, the towns, the icons, the screenshots an install shows.
cp -r web/site/. "$site/"
cp web/data/towns.json web/data/screenshot-narrow.png web/data/screenshot-wide.png "$site/"
cp assets/icon-192.png assets/icon-512.png assets/icon-maskable-512.png "$site/"

# The service worker keeps exactly these files, under this build's version:
# a new build replaces the old as a whole. The screenshots are for an
# install's dialog only: no phone needs them offline.
build=$(cat "$site"/*.wasm "$site"/*.js "$site"/*.html "$site"/*.css "$site"/*.webmanifest "$site"/icon-*.png \
  "$site"/towns.json | sha256sum | cut -c1-12)
files=$(cd "$site" && find . -type f ! -name sw.js ! -name files.json ! -name 'screenshot-*' | sed 's|^\./||' | sort)
{
  echo "{\"version\": \"$version-$build\", \"files\": ["
  echo "$files" | sed 's/.*/  "&"/' | paste -sd, -
  echo "]}"
} >"$site/files.json"
sed -i "s/__AZIMORA_BUILD__/$version-$build/" "$site/sw.js"
echo "web: $site ($(du -sh "$site" | cut -f1); WebAssembly: the figures' $(stat -c %s "$site/azimora-engine.wasm") bytes," \
  "the towns' $(stat -c %s "$site/azimora-towns.wasm"), the element files' $(stat -c %s "$site/azimora-elements.wasm"))"
