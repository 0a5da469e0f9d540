# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Turns a magnetic model's .COF file into a C++ table, at build time:
#   cmake -DINPUT=<model.COF> -DOUTPUT=<source.cpp> -DSYMBOL=<name> -P EmbedMagneticModel.cmake
file(STRINGS "${INPUT}" lines)
list(GET lines 0 header)
string(REGEX MATCH "^ *([0-9.]+) +([A-Za-z0-9-]+)" matched "${header}")
if(NOT matched)
  message(FATAL_ERROR "${INPUT}: no epoch and model name on the first line")
endif()
set(epoch "${CMAKE_MATCH_1}")
string(REPLACE "-" "" name "${CMAKE_MATCH_2}")

set(rows "")
set(max_degree 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^ *([0-9]+) +([0-9]+) +(-?[0-9.]+) +(-?[0-9.]+) +(-?[0-9.]+) +(-?[0-9.]+) *$")
    string(APPEND rows "    {${CMAKE_MATCH_1}, ${CMAKE_MATCH_2}, ${CMAKE_MATCH_3}, ${CMAKE_MATCH_4}, ${CMAKE_MATCH_5}, ${CMAKE_MATCH_6}},\n")
    if(CMAKE_MATCH_1 GREATER max_degree)
      set(max_degree ${CMAKE_MATCH_1})
    endif()
  endif()
endforeach()

file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT} by EmbedMagneticModel.cmake; do not edit.
#include \"sky/magnetic_model_data.h\"

namespace azimora {
namespace {
constexpr MagneticCoefficient kCoefficients[] = {
${rows}};
}  // namespace

const MagneticModelData ${SYMBOL} = {\"${name}\", ${epoch}, ${max_degree}, kCoefficients};

}  // namespace azimora
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
