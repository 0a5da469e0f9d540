// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Number <-> text as the window shows it: '.' is the decimal point whatever
// the user's locale.
namespace azimora {

// General number format: rounded to 15 significant digits, no trailing zeros
// or point ("180", "171.306422331434"), plain from 0.0001 up to but not
// including 1E15, exponent form otherwise ("1E-5", "1.5E20"). Zero is "0".
// Precondition: value is finite (throws MathError otherwise).
[[nodiscard]] std::string FormatGeneral(long double value);

// Fixed to `decimals` places (0 to 17), as printf's "%.*f" in the C
// locale: '.' whatever the user's locale (a Qt program runs in the user's,
// where printf may write "1,5"). Zero keeps its sign: "-0.00".
[[nodiscard]] std::string FormatFixed(double value, int decimals);
// FormatFixed, trailing zeros and a bare point dropped, minus zero as "0":
// 19.2, 0.6, 54.597, -0.00001 to 4 places "0". For texts a person or an
// address reads back as a number.
[[nodiscard]] std::string FormatFixedTrimmed(double value, int decimals);

// Optional blanks, optional sign, digits with an optional '.' and further
// digits, optional exponent (E or e, optional sign, digits), optional blanks.
// "114.", ".5" and "." convert; "", "-" and values beyond the long double
// range do not.
[[nodiscard]] std::optional<long double> ParseNumber(std::string_view text);

// A number typed into a box of its own, on a phone as on a desktop:
// ParseNumber's, or with a decimal comma ("0,8"), which phones in many
// languages offer instead of a point. One comma between two digits, no
// point: no thousands separators ("1,234.5" does not convert).
[[nodiscard]] std::optional<long double> ParseTypedNumber(std::string_view text);

// ParseNumber, or ConvertError "'<text>' is not a valid floating point value".
[[nodiscard]] long double ConvertNumber(std::string_view text);

// Spaces, tabs and carriage returns off both ends: fields of outside files.
[[nodiscard]] std::string_view TrimBlanks(std::string_view text);

// A number as data files write it (element sets, orbit messages, GPS logs):
// blanks around, an optional '+', ".5", "-.22483E-4". Only finite values:
// "nan" and "inf" would read as numbers and place a satellite nowhere.
[[nodiscard]] std::optional<double> ParseDataNumber(std::string_view text);

}  // namespace azimora
