// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "formats/place_search.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace azimora {
namespace {

enum class Rank { Exact, Prefix, WordPrefix, Inside, None };

Rank RankOf(std::string_view key, std::string_view query) {
    if (key == query) return Rank::Exact;
    if (key.starts_with(query)) return Rank::Prefix;
    for (std::size_t at = key.find(query); at != std::string_view::npos; at = key.find(query, at + 1)) {
        const char before = key[at - 1];
        if (before == ' ' || before == '-' || before == '\'' || before == '(' || before == '.') return Rank::WordPrefix;
    }
    return key.find(query) != std::string_view::npos ? Rank::Inside : Rank::None;
}

}  // namespace

std::vector<const Place*> PlaceIndex::Search(std::string_view foldedQuery, std::size_t limit) const {
    if (foldedQuery.empty() || limit == 0) return {};
    struct Hit {
        Rank rank;
        const Place* place;
    };
    std::vector<Hit> hits;
    for (const Place& place : places_) {
        const Rank rank = RankOf(place.key, foldedQuery);
        if (rank != Rank::None) hits.push_back({rank, &place});
    }
    const auto better = [](const Hit& a, const Hit& b) {
        return std::tuple(a.rank, a.place->key.size(), a.place->key, a.place->country) <
               std::tuple(b.rank, b.place->key.size(), b.place->key, b.place->country);
    };
    const std::size_t kept = std::min(limit, hits.size());
    std::partial_sort(hits.begin(), hits.begin() + static_cast<std::ptrdiff_t>(kept), hits.end(), better);
    std::vector<const Place*> found;
    for (std::size_t i = 0; i < kept; ++i) found.push_back(hits[i].place);
    return found;
}

double GreatCircleKm(double latitude1, double longitudeWest1, double latitude2, double longitudeWest2) {
    constexpr double kMeanRadiusKm = 6371.0088;  // IUGG mean radius of the Earth
    constexpr double kRadians = 3.14159265358979323846 / 180;
    const double dLat = (latitude2 - latitude1) * kRadians, dLon = (longitudeWest2 - longitudeWest1) * kRadians;
    const double a = std::pow(std::sin(dLat / 2), 2) +
                     std::cos(latitude1 * kRadians) * std::cos(latitude2 * kRadians) * std::pow(std::sin(dLon / 2), 2);
    return 2 * kMeanRadiusKm * std::asin(std::min(1.0, std::sqrt(a)));
}

const Place* PlaceIndex::Nearest(double latitude, double longitudeWest, double withinKm, double& distanceKm) const {
    const Place* nearest = nullptr;
    distanceKm = withinKm;
    for (const Place& place : places_) {
        const double distance = GreatCircleKm(latitude, longitudeWest, place.latitude, place.longitudeWest);
        if (distance <= distanceKm) {
            distanceKm = distance;
            nearest = &place;
        }
    }
    return nearest;
}

}  // namespace azimora
