// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <string>

namespace azimora::testing {

// "$" + body + "*" + its NMEA 0183 checksum: the XOR of the body's
// characters, as two hex digits.
inline std::string NmeaSentence(const std::string& body) {
    unsigned sum = 0;
    for (const char c : body) sum ^= static_cast<unsigned char>(c);
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", sum);
    return "$" + body + "*" + hex;
}

}  // namespace azimora::testing
