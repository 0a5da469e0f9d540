// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "formats/site_zone.h"

#include <memory>

#include "errors.h"

namespace azimora {
namespace {

// A town of the list that is the site itself, within the town's own size.
constexpr double kTownOfTheSiteKm = 20;

}  // namespace

SiteZoneFinding FindSiteZone(const TimeZoneBoundaries* boundaries, const PlaceIndex* towns, double latitude,
                             double longitudeWest) {
    SiteZoneFinding found;
    double distance = 0;
    const Place* town = towns != nullptr ? towns->Nearest(latitude, longitudeWest, kNearestTownKm, distance) : nullptr;
    if (town != nullptr && town->timeZone.empty()) town = nullptr;
    if (boundaries != nullptr) {
        if (const auto zone = boundaries->ZoneAt(latitude, -longitudeWest)) {
            found.zone = *zone;
            found.source = SiteZoneSource::Boundary;
            if (town != nullptr && distance < kTownOfTheSiteKm) {
                found.town = town;
                found.townKm = distance;
            }
            return found;
        }
    }
    if (town != nullptr) {
        found.zone = town->timeZone;
        found.source = SiteZoneSource::NearestTown;
        found.town = town;
        found.townKm = distance;
        return found;
    }
    if (boundaries != nullptr) {
        found.zone = NauticalZone(-longitudeWest);
        found.source = SiteZoneSource::AtSea;
        return found;
    }
    found.zone = "UTC";
    return found;
}

const InstalledBoundaries& InstalledTimeZoneBoundaries() {
    static const InstalledBoundaries installed = [] {
        static std::unique_ptr<TimeZoneBoundaries> read;
        InstalledBoundaries result;
        try {
            read = std::make_unique<TimeZoneBoundaries>(TimeZoneBoundaries::Read(TimeZoneBoundariesFile()));
            result.boundaries = read.get();
        } catch (const Error& error) {
            result.error = error.what();
        }
        return result;
    }();
    return installed;
}

}  // namespace azimora
