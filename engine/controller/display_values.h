// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>

#include "controller/window_texts.h"

// The seven texts of the main window, as the controller owns them.
namespace azimora {

enum class DisplayField { SatName, SatLong, LocName, NLat, WLong, Azimuth, Elevation };
inline constexpr std::size_t kDisplayFieldCount = 7;

struct DisplayValues {
    std::string SatName = kNoSatelliteText;
    std::string SatLong = kNotEnteredText;
    std::string LocName = kNoLocationText;
    std::string NLat = kNotEnteredText;
    std::string WLong = kNotEnteredText;
    std::string Azimuth = kNotEnteredText;
    std::string Elevation = kNotEnteredText;

    [[nodiscard]] const std::string& operator[](DisplayField field) const;
    [[nodiscard]] std::string& operator[](DisplayField field);
};

}  // namespace azimora
