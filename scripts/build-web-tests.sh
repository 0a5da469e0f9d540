#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Builds the engine's reference tests as WebAssembly for node
# (build/web/engine_tests.js): the same GoogleTest sources as the native
# build, against the engine objects of scripts/build-web.sh (run it first),
# so that the 128-bit long double of WebAssembly meets the same published
# values. Left out: what needs threads (the element file reader and its
# tests), locks and forked savers (the list files), and the native-only
# references (libquadmath). Reference files are read from the source tree
# through node's own file system (NODERAWFS).
#   build-web-tests.sh; then: node build/web/tests/engine_tests.js
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/em-compile.sh
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
out=build/web
objects=$out/test-objects
mkdir -p "$objects" "$out/tests"
# Emscripten's loader for node is CommonJS; the project's package.json says ES modules.
echo '{"type": "commonjs"}' >"$out/tests/package.json"
[[ -f $out/site/azimora-engine.wasm ]] || { echo "web tests: run scripts/build-web.sh first"; exit 1; }

tests=(
  tests/engine/catalogue/builtin_content_test.cpp
  tests/engine/catalogue/catalogue_order_test.cpp
  tests/engine/catalogue/catalogue_test.cpp
  tests/engine/formats/line_of_sight_test.cpp
  tests/engine/formats/nmea_test.cpp
  tests/engine/formats/orbit_mean_elements_test.cpp
  tests/engine/formats/page_link_test.cpp
  tests/engine/installation_edges_test.cpp
  tests/engine/geometry/dish_geometry_test.cpp
  tests/engine/geometry/geodesic_test.cpp
  tests/engine/geometry/pointing_test.cpp
  tests/engine/geometry/two_satellite_dish_test.cpp
  tests/engine/orbits/sgp4_test.cpp
  tests/engine/sky/magnetic_model_test.cpp
  tests/engine/sky/sky_chart_test.cpp
  tests/engine/sky/sun_test.cpp
  tests/engine/text/coordinate_text_test.cpp
  tests/engine/text/number_text_test.cpp
  tests/engine/text/search_folding_test.cpp
  tests/engine/text/text_encoding_test.cpp
)
gtest=/usr/src/googletest/googletest
sources=("${tests[@]}" "$gtest/src/gtest-all.cc" "$gtest/src/gtest_main.cc")

flags=(-std=c++20 -O2 -fexceptions -Wall -Wextra -Wpedantic -Iengine -Itests/support -I"$out/generated"
       -I"$gtest/include" -I"$gtest" -DGTEST_HAS_PTHREAD=0
       -DAZIMORA_TEST_DATA=\""$PWD/tests/engine/sky/data"\"
       -DAZIMORA_FORMATS_TEST_DATA=\""$PWD/tests/engine/formats/data"\")
em_compile "$objects" "web tests" engine tests/support -- "${flags[@]}" -- "${sources[@]}"
# The engine's library as scripts/build-web.sh made it from the sources of
# the moment: an object left from a file since split or renamed stays out.
engine=("$out/objects/engine.a")
[[ -f ${engine[0]} ]] || { echo "web tests: run scripts/build-web.sh first"; exit 1; }
# Compiled at once, from the file: emscripten 3.1.6's loader would hand
# node's fetch a path.
em++ "${objectFiles[@]}" "${engine[@]}" -o "$out/tests/engine_tests.js" -O2 -fexceptions \
  -sENVIRONMENT=node -sNODERAWFS=1 -sWASM_ASYNC_COMPILATION=0 -sALLOW_MEMORY_GROWTH=1 -sPRINTF_LONG_DOUBLE=1 -sEXIT_RUNTIME=1
echo "web tests: $out/tests/engine_tests.js"
