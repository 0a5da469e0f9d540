// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <charconv>

// std::from_chars and std::to_chars of floating-point numbers: the standard
// library's where it has them (__cpp_lib_to_chars). libc++ 13, the library
// of the WebAssembly build (emscripten 3.1.6), has them for integers only:
// there the C library's strtold and snprintf serve, in the C locale, and
// the reading refuses exactly what from_chars refuses (leading blanks, a
// '+', a hexadecimal number past its "0").
namespace azimora {

std::from_chars_result FloatFromChars(const char* first, const char* last, double& value);
std::from_chars_result FloatFromChars(const char* first, const char* last, long double& value);
// fixed or scientific, to precision digits after the point.
std::to_chars_result FloatToChars(char* first, char* last, double value, std::chars_format format, int precision);
std::to_chars_result FloatToChars(char* first, char* last, long double value, std::chars_format format, int precision);

}  // namespace azimora
