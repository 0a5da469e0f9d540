// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/site.h"

// The world's towns, searched as the user types. The search compares keys
// folded beforehand (case and accents taken away; the caller folds, with
// the same function, names and queries alike), and ranks an exact name
// first, then names that begin with the query, then names with a word that
// does, then names that hold it anywhere; shorter names first within each.
namespace azimora {

// A town where it stands (geometry/site.h).
struct Place : SiteLocation {
    std::string name;
    std::string state;    // may be empty
    std::string country;
    std::string key;           // the folded name
    std::string timeZone;      // IANA, "America/Edmonton"; may be empty
};

// The distance between two places on the globe, km (a sphere of the mean
// radius, 6371.0088 km: the haversine formula).
[[nodiscard]] double GreatCircleKm(double latitude1, double longitudeWest1, double latitude2, double longitudeWest2);

class PlaceIndex {
public:
    PlaceIndex() = default;
    explicit PlaceIndex(std::vector<Place> places) : places_(std::move(places)) {}

    [[nodiscard]] std::size_t Size() const noexcept { return places_.size(); }
    // At most limit places for a folded query, best first; none for an empty query.
    [[nodiscard]] std::vector<const Place*> Search(std::string_view foldedQuery, std::size_t limit = 50) const;
    // The place nearest to a point within withinKm, and its distance; nullptr when none is.
    [[nodiscard]] const Place* Nearest(double latitude, double longitudeWest, double withinKm, double& distanceKm) const;

private:
    std::vector<Place> places_;
};

}  // namespace azimora
