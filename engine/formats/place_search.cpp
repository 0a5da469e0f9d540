// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "formats/place_search.h"

#include <algorithm>
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

}  // namespace azimora
