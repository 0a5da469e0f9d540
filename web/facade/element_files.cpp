// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The page's reading of element files, a WebAssembly module of its own,
// fetched when the user picks a file: two-line sets and orbit mean-elements
// messages, their near-geostationary objects placed by SGP4 (answer.h).
#include <exception>
#include <string>

#include "answer.h"
#include "text/json_reader.h"
#include "formats/orbit_mean_elements.h"

using namespace azimora;
using web::Give;
using web::Refuse;

// The near-geostationary objects of an element file's text (two-line sets,
// OMM in XML, KVN, JSON or CSV), placed at the instant by SGP4.
AZIMORA_EXPORT const char* azimora_elements(const char* text, double instant) {
    try {
        const ElementSetFile file = ReadOrbitElements(text == nullptr ? "" : text, instant);
        std::string json = "{\"objects\": [";
        for (std::size_t i = 0; i < file.objects.size(); ++i) {
            const GeostationaryObject& o = file.objects[i];
            json += std::string(i ? ", " : "") + "{\"name\": " + JsonQuoted(o.elements.name) +
                    ", \"catalogue_number\": " + JsonQuoted(o.elements.catalogueNumber) +
                    ", \"sat_lon\": " + JsonNumber(o.longitudeWest) +
                    ", \"inclination\": " + JsonNumber(o.elements.inclination) +
                    ", \"drift_per_day\": " + JsonNumber(o.driftPerDay) +
                    ", \"epoch_age_days\": " + JsonNumber(o.epochAgeDays) +
                    ", \"warning\": " + JsonQuoted(o.warning) + "}";
        }
        json += "], \"skipped\": " + std::to_string(file.skippedCount) + ", \"skipped_first\": [";
        for (std::size_t i = 0; i < file.skipped.size() && i < 20; ++i)
            json += std::string(i ? ", " : "") + JsonQuoted(file.skipped[i]);
        return Give(json + "]}");
    } catch (const std::exception& error) {
        return Refuse(error.what());
    }
}
