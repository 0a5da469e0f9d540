// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "formats/place_search.h"

// The world's towns from Debian's libgweather-4-common: Locations.xml lists
// regions, countries, states and cities, each city with its coordinates
// ("51.083333 -114.083333", east positive). Weather stations are left out.
namespace azimora::sources {

inline constexpr const char* kGWeatherLocations = "/usr/share/libgweather-4/Locations.xml";

// The cities with coordinates, their search keys folded. Throws
// azimora::Error naming the package when the file is missing, unreadable
// or not such a list.
[[nodiscard]] std::vector<Place> ReadGWeatherCities(const QString& file = QString::fromLatin1(kGWeatherLocations));

}  // namespace azimora::sources
