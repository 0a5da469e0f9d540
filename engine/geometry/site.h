// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

// Where a dish stands, and the satellite it is for: the one site value of
// every layer. Degrees, latitude north positive, longitudes west positive
// as the main window takes them ("0 to +360" west). The inputs of the
// installer's figures, the site the main window's texts describe and the
// sun's searches are this value with more beside it.
namespace azimora {

struct SiteLocation {
    double latitude = 0;
    double longitudeWest = 0;

    bool operator==(const SiteLocation&) const = default;
};

struct DishSite : SiteLocation {
    double satelliteLongitudeWest = 0;

    bool operator==(const DishSite&) const = default;
};

}  // namespace azimora
