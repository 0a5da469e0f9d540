// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The page's town search, a WebAssembly module of its own beside the
// figures' (loaded after them, with the towns): the engine's folding and
// ranking, the same the window's Find Location uses, over the built-in
// places and the world's towns the page fetches (towns.json). Text in,
// JSON out (answer.h).
#include <exception>
#include <string>
#include <vector>

#include "answer.h"
#include "catalogue/builtin_tables.h"
#include "errors.h"
#include "formats/place_search.h"
#include "text/json_reader.h"
#include "text/number_text.h"
#include "text/search_folding.h"

namespace {

using namespace azimora;

using web::Give;
using web::Refuse;

PlaceIndex& Towns() {
    static PlaceIndex towns;
    return towns;
}

Place PlaceOf(std::string name, std::string region, double latitude, double longitudeWest) {
    Place place;
    place.key = FoldForSearch(name);
    place.name = std::move(name);
    place.country = std::move(region);  // "state, country" as one
    place.latitude = latitude;
    place.longitudeWest = longitudeWest;
    return place;
}

// The main window's built-in places, each with the names above it.
void AddBuiltInPlaces(std::vector<Place>& places) {
    std::string above[3];
    for (const builtin::LocationEntry& entry : builtin::Locations()) {
        if (entry.level >= 0 && entry.level < 3) above[entry.level] = entry.name;
        const auto latitude = ParseNumber(entry.latitude), longitude = ParseNumber(entry.longitude);
        if (entry.level <= 0 || entry.level >= 3 || !latitude || !longitude) continue;
        std::string region = above[entry.level - 1];
        if (entry.level == 2) region += ", " + above[0];
        places.push_back(PlaceOf(entry.name, region, static_cast<double>(*latitude), static_cast<double>(*longitude)));
    }
}

}  // namespace

// The towns of towns.json ([[name, "state, country", latitude, longitude
// west positive], ...]) with the built-in places, ready to search; the
// number of places, or the error of a broken file.
AZIMORA_EXPORT const char* azimora_towns_load(const char* json) {
    try {
        std::vector<Place> places;
        AddBuiltInPlaces(places);
        ForEachJsonItem(json == nullptr ? "" : json, [&](JsonValue&& town, std::size_t index) {
            const auto number = [&](std::size_t k) {
                const auto value = ParseDataNumber(town.items[k].text);
                if (town.items[k].kind != JsonValue::Kind::Number || !value)
                    throw Error("town " + std::to_string(index) + ": no coordinates");
                return *value;
            };
            if (town.kind != JsonValue::Kind::Array || town.items.size() != 4 ||
                town.items[0].kind != JsonValue::Kind::String || town.items[1].kind != JsonValue::Kind::String)
                throw Error("town " + std::to_string(index) + ": no [name, region, latitude, longitude]");
            places.push_back(PlaceOf(std::move(town.items[0].text), std::move(town.items[1].text), number(2), number(3)));
        });
        Towns() = PlaceIndex(std::move(places));
        return Give("{\"towns\": " + std::to_string(Towns().Size()) + "}");
    } catch (const std::exception& error) {
        return Refuse(std::string("The towns could not be read: ") + error.what());
    }
}

// The places a typed query finds, best first, at most limit:
// [[name, region, latitude, longitude west positive], ...].
AZIMORA_EXPORT const char* azimora_towns_find(const char* query, int limit) {
    try {
        std::string json = "[";
        for (const Place* place : Towns().Search(FoldForSearch(query == nullptr ? "" : query),
                                                 limit > 0 ? static_cast<std::size_t>(limit) : 0)) {
            json += std::string(json.size() > 1 ? ", " : "") + "[" + JsonQuoted(place->name) + ", " +
                    JsonQuoted(place->country) + ", " + FormatGeneral(place->latitude) + ", " +
                    FormatGeneral(place->longitudeWest) + "]";
        }
        return Give(json + "]");
    } catch (const std::exception& error) {
        return Refuse(error.what());
    }
}

// A text as the search folds it: {"folded": "tromso"}.
AZIMORA_EXPORT const char* azimora_fold(const char* text) {
    try {
        return Give("{\"folded\": " + JsonQuoted(FoldForSearch(text == nullptr ? "" : text)) + "}");
    } catch (const std::exception& error) {
        return Refuse(error.what());
    }
}
