// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The number conversion of the coordinate boxes and the general format of
// the results: whatever the text, conversion either fails with the
// conversion error or gives a finite number, and the 15-digit text of that
// number converts back to it within 15 significant digits.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "errors.h"
#include "fuzz_support.h"
#include "text/number_text.h"

using namespace azimora;
using namespace azimora::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<long double> parsed = ParseNumber(text);
    try {
        const long double converted = ConvertNumber(text);
        Expect(parsed.has_value() && *parsed == converted, "ConvertNumber agrees with ParseNumber");
    } catch (const ConvertError& error) {
        Expect(!parsed.has_value(), "only texts that do not parse are refused");
        // what() is a C string: a NUL in the text ends it there.
        const std::string message = "'" + std::string(text) + "' is not a valid floating point value";
        Expect(error.what() == message.substr(0, message.find('\0')), "the conversion message quotes the text");
    }
    if (!parsed) return 0;
    Expect(std::isfinite(*parsed), "a converted number is finite");

    // The general format shows results, angles of a few hundred degrees;
    // the ends of the long double range, where 15 digits may round past
    // them, are no concern of it.
    if (*parsed != 0 && (std::fabs(*parsed) < 1e-4000L || std::fabs(*parsed) > 1e4000L)) return 0;
    const std::string general = FormatGeneral(*parsed);
    Expect(general.find_first_not_of("0123456789.-E") == std::string::npos, "general format uses digits, '.', '-', 'E'");
    const std::optional<long double> back = ParseNumber(general);
    Expect(back.has_value(), "the general format converts back");
    Expect(std::fabs(*back - *parsed) <= std::fabs(*parsed) * 1e-14L, "15 significant digits");
    return 0;
}
