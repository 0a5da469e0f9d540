// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <span>

// The built-in content as tables, exactly as it stands in the catalogues.
namespace azimora::builtin {

struct SatelliteEntry {
    const char* name;
    const char* longitude;
};

struct LocationEntry {
    int level;
    const char* name;
    const char* latitude;
    const char* longitude;
};

[[nodiscard]] std::span<const SatelliteEntry> Satellites();
[[nodiscard]] std::span<const LocationEntry> Locations();

}  // namespace azimora::builtin
