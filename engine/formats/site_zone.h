// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "formats/place_search.h"
#include "sky/time_zone_boundaries.h"

// The time zone a site keeps, for every time shown of it: the zone whose
// boundary holds the site; outside every boundary (at sea), the zone of the
// nearest town within 200 km where a list of towns is at hand, else the
// nautical zone of the longitude.
namespace azimora {

inline constexpr double kNearestTownKm = 200;

enum class SiteZoneSource {
    Boundary,     // the zone's boundary holds the site
    NearestTown,  // outside every boundary: the nearest town's zone
    AtSea,        // outside every boundary, no town near: the nautical zone
    Unknown,      // no boundaries to tell and no town near: UTC
};

struct SiteZoneFinding {
    std::string zone;  // IANA id; "UTC" when Unknown
    SiteZoneSource source = SiteZoneSource::Unknown;
    const Place* town = nullptr;  // NearestTown, or a town of the list at the site (within 20 km)
    double townKm = 0;
};

// boundaries and towns may each be null (their files missing).
[[nodiscard]] SiteZoneFinding FindSiteZone(const TimeZoneBoundaries* boundaries, const PlaceIndex* towns,
                                           double latitude, double longitudeWest);

// The boundaries as this program keeps them (TimeZoneBoundariesFile), read
// once on first use from any thread; boundaries is null and error says why
// when the file is missing or damaged.
struct InstalledBoundaries {
    const TimeZoneBoundaries* boundaries = nullptr;
    std::string error;
};
[[nodiscard]] const InstalledBoundaries& InstalledTimeZoneBoundaries();

}  // namespace azimora
