// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The field splitter: the first byte picks the separators (none, "," or
// ",;"), the rest is the line. Fields are never empty, never hold a
// separator, and together are the line less its separators.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "lists/userlists.h"

using namespace azimora::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static constexpr std::string_view kSeparatorSets[] = {"", ",", ",;"};
    const std::string_view separators = kSeparatorSets[data[0] % 3];
    const std::string_view line(reinterpret_cast<const char*>(data) + 1, size - 1);

    std::string joined;
    for (const std::string& field : azimora::SplitFields(line, separators)) {
        Expect(!field.empty(), "no empty field");
        Expect(field.find_first_of(separators) == std::string::npos, "no separator inside a field");
        joined += field;
    }
    std::string expected;
    for (const char c : line)
        if (separators.find(c) == std::string_view::npos) expected += c;
    Expect(joined == expected, "the fields are the line less its separators");
    return 0;
}
