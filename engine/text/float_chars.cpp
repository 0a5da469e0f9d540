// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "text/float_chars.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

namespace azimora {
namespace {

#if !defined(__cpp_lib_to_chars)
template <typename T>
std::from_chars_result Parse(const char* first, const char* last, T& value) {
    if (first == last || *first == ' ' || *first == '\t' || *first == '\n' || *first == '\r' || *first == '\f' ||
        *first == '\v' || *first == '+')
        return {first, std::errc::invalid_argument};
    const std::string text(first, last);
    const char* begin = text.c_str();
    const char* digits = begin + (*begin == '-' ? 1 : 0);
    // from_chars reads no hexadecimal: "0x1p3" is a 0, then other text.
    if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        value = *begin == '-' ? -T(0) : T(0);
        return {first + (digits - begin) + 1, std::errc()};
    }
    if (*digits == '-' || *digits == '+' || *digits == ' ') return {first, std::errc::invalid_argument};
    errno = 0;
    char* end = nullptr;
    const long double read = std::strtold(begin, &end);
    if (end == begin) return {first, std::errc::invalid_argument};
    const T converted = static_cast<T>(read);
    if (errno == ERANGE || (read != 0 && converted == 0) || (__builtin_isinf(converted) && !__builtin_isinf(read)))
        return {first + (end - begin), std::errc::result_out_of_range};
    value = converted;
    return {first + (end - begin), std::errc()};
}

template <typename T>
std::to_chars_result Write(char* first, char* last, T value, std::chars_format format, int precision) {
    char buffer[512];
    const char* conversion = format == std::chars_format::fixed ? "%.*Lf" : "%.*Le";
    const int length = std::snprintf(buffer, sizeof buffer, conversion, precision, static_cast<long double>(value));
    if (length < 0 || length > last - first) return {last, std::errc::value_too_large};
    for (int i = 0; i < length; ++i) first[i] = buffer[i];
    return {first + length, std::errc()};
}
#endif

}  // namespace

std::from_chars_result FloatFromChars(const char* first, const char* last, double& value) {
#if defined(__cpp_lib_to_chars)
    return std::from_chars(first, last, value);
#else
    return Parse(first, last, value);
#endif
}

std::from_chars_result FloatFromChars(const char* first, const char* last, long double& value) {
#if defined(__cpp_lib_to_chars)
    return std::from_chars(first, last, value);
#else
    return Parse(first, last, value);
#endif
}

std::to_chars_result FloatToChars(char* first, char* last, double value, std::chars_format format, int precision) {
#if defined(__cpp_lib_to_chars)
    return std::to_chars(first, last, value, format, precision);
#else
    return Write(first, last, value, format, precision);
#endif
}

std::to_chars_result FloatToChars(char* first, char* last, long double value, std::chars_format format, int precision) {
#if defined(__cpp_lib_to_chars)
    return std::to_chars(first, last, value, format, precision);
#else
    return Write(first, last, value, format, precision);
#endif
}

}  // namespace azimora
