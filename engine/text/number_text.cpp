// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "text/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "errors.h"
#include "text/float_chars.h"

namespace azimora {
namespace {

constexpr int kSignificantDigits = 15;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    return pos;
}

// The decimal exponent of the first significant digit, counted as the number
// of digits before the point (123.4 -> 3, 0.05 -> -1); nullopt when every
// digit is zero.
std::optional<long long> DecimalMagnitude(std::string_view integer, std::string_view fraction, long long exponent) {
    const auto firstInInteger = integer.find_first_not_of('0');
    if (firstInInteger != std::string_view::npos)
        return static_cast<long long>(integer.size() - firstInInteger) + exponent;
    const auto firstInFraction = fraction.find_first_not_of('0');
    if (firstInFraction != std::string_view::npos) return -static_cast<long long>(firstInFraction) + exponent;
    return std::nullopt;
}


// A positive value rounded to 15 significant digits: digits d1..d15 and the
// decimal exponent of d1.
struct Decimal {
    std::string digits;
    int exponent;
};

// Exact, through the library's correctly rounded conversion.
Decimal ExactDecimal(long double magnitude) {
    char buffer[64];
    const auto converted =
        FloatToChars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view scientific(buffer, static_cast<std::size_t>(converted.ptr - buffer));
    Decimal decimal{{}, 0};
    std::size_t pos = 0;
    for (; scientific[pos] != 'e'; ++pos)
        if (IsDigit(scientific[pos])) decimal.digits += scientific[pos];
    const std::size_t exponentStart = pos + (scientific[pos + 1] == '+' ? 2 : 1);
    std::from_chars(scientific.data() + exponentStart, scientific.data() + scientific.size(), decimal.exponent);
    return decimal;
}

// The powers of ten that long double holds exactly.
constexpr auto kPowersOfTen = [] {
    std::array<long double, 28> powers{};
    long double power = 1;
    for (auto& p : powers) p = power, power *= 10;
    return powers;
}();

// The common case, several times faster: one scaling by an exact power of
// ten puts 15 digits before the point with an error below 1E-4 of a unit, so
// rounding there is the exact rounding unless the rest lies near one half.
// nullopt in that case and outside 1E-4..1E15.
std::optional<Decimal> FastDecimal(long double magnitude) {
    if (!(magnitude >= 1e-4L && magnitude < 1e15L)) return std::nullopt;
    constexpr long double kLow = 1e14L;
    constexpr long double kHigh = 1e15L;
    constexpr int kMaxShift = 18;
    // log10(2) ~ 0.30103 gives the shift to within one.
    int shift = std::clamp(14 - static_cast<int>(std::floor(std::ilogb(magnitude) * 0.30103)), 0, kMaxShift);
    long double scaled = magnitude * kPowersOfTen[static_cast<std::size_t>(shift)];
    while (scaled < kLow && shift < kMaxShift) scaled = magnitude * kPowersOfTen[static_cast<std::size_t>(++shift)];
    while (scaled >= kHigh && shift > 0) scaled = magnitude * kPowersOfTen[static_cast<std::size_t>(--shift)];

    const long double whole = std::floor(scaled);
    const long double rest = scaled - whole;
    if (std::fabs(rest - 0.5L) < 1e-3L) return std::nullopt;
    auto digits = static_cast<std::uint64_t>(whole) + (rest > 0.5L ? 1 : 0);
    int exponent = 14 - shift;
    if (digits == 1'000'000'000'000'000) digits /= 10, ++exponent;  // 9.99...95 carries over
    if (digits < 100'000'000'000'000 || digits >= 1'000'000'000'000'000) return std::nullopt;
    return Decimal{std::to_string(digits), exponent};
}

}  // namespace

std::string FormatGeneral(long double value) {
    if (!std::isfinite(value)) throw MathError("Invalid floating point operation");
    if (value == 0) return "0";

    const bool negative = std::signbit(value);
    const long double magnitude = std::fabs(value);
    auto decimal = FastDecimal(magnitude);
    if (!decimal) decimal = ExactDecimal(magnitude);
    std::string& digits = decimal->digits;
    const int exponent = decimal->exponent;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string text = negative ? "-" : "";
    if (exponent < -4 || exponent >= kSignificantDigits) {
        text += digits.front();
        if (digits.size() > 1) text.append(".").append(digits, 1);
        text.append("E").append(std::to_string(exponent));
    } else if (exponent < 0) {
        text.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
    } else {
        const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= integerDigits) {
            text.append(digits).append(integerDigits - digits.size(), '0');
        } else {
            text.append(digits, 0, integerDigits).append(".").append(digits, integerDigits);
        }
    }
    return text;
}

std::optional<long double> ParseNumber(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';

    const std::size_t integerStart = pos;
    pos = SkipDigits(text, pos);
    const std::string_view integer = text.substr(integerStart, pos - integerStart);
    std::string_view fraction;
    bool point = false;
    if (pos < text.size() && text[pos] == '.') {
        point = true;
        const std::size_t fractionStart = ++pos;
        pos = SkipDigits(text, pos);
        fraction = text.substr(fractionStart, pos - fractionStart);
    }
    if (integer.empty() && !point) return std::nullopt;

    long long exponent = 0;
    if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
        ++pos;
        bool negativeExponent = false;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negativeExponent = text[pos++] == '-';
        const std::size_t exponentStart = pos;
        pos = SkipDigits(text, pos);
        if (pos == exponentStart) return std::nullopt;
        // Saturate: far beyond any long double, and safe from overflow below.
        constexpr long long kExponentLimit = 1'000'000'000;
        for (std::size_t i = exponentStart; i < pos; ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), kExponentLimit);
        if (negativeExponent) exponent = -exponent;
    }
    while (pos < text.size() && text[pos] == ' ') ++pos;
    if (pos != text.size()) return std::nullopt;

    const auto magnitude = DecimalMagnitude(integer, fraction, exponent);
    if (!magnitude) return negative ? -0.0L : 0.0L;

    std::string canonical = integer.empty() ? "0" : std::string(integer);
    if (!fraction.empty()) canonical.append(".").append(fraction);
    canonical.append("e").append(std::to_string(exponent));

    long double value = 0;
    const auto parsed = FloatFromChars(canonical.data(), canonical.data() + canonical.size(), value);
    if (parsed.ec == std::errc::result_out_of_range) {
        if (*magnitude > 0) return std::nullopt;  // overflow
        value = 0;                                // underflow: as good as zero
    } else if (parsed.ec != std::errc() || parsed.ptr != canonical.data() + canonical.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<long double> ParseTypedNumber(std::string_view text) {
    if (const auto value = ParseNumber(text)) return value;
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos || comma == 0 || comma + 1 == text.size() || !IsDigit(text[comma - 1]) ||
        !IsDigit(text[comma + 1]) || text.find_first_of(",.", comma + 1) != std::string_view::npos ||
        text.substr(0, comma).find('.') != std::string_view::npos)
        return std::nullopt;
    std::string pointed(text);
    pointed[comma] = '.';
    return ParseNumber(pointed);
}

std::string FormatFixed(double value, int decimals) {
    // Room for the largest double's 309 integer digits, a sign, a point and the decimals.
    std::array<char, 336> text{};
    char* const end = text.data() + text.size();
    return std::string(text.data(), FloatToChars(text.data(), end, value, std::chars_format::fixed, decimals).ptr);
}

std::string FormatFixedTrimmed(double value, int decimals) {
    std::string result = FormatFixed(value, decimals);
    if (result.find('.') != std::string::npos) {
        while (result.back() == '0') result.pop_back();
        if (result.back() == '.') result.pop_back();
    }
    return result == "-0" ? "0" : result;
}

long double ConvertNumber(std::string_view text) {
    if (const auto value = ParseNumber(text)) return *value;
    throw ConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::optional<double> ParseDataNumber(std::string_view text) {
    text = TrimBlanks(text);
    if (text.starts_with('+')) text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    double value = 0;
    const auto [end, error] = FloatFromChars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace azimora
