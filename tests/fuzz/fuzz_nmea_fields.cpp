// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The fields of NMEA 0183's fix sentences, each reader against the form it
// takes: the input's parts (split at NUL bytes) read as every kind of
// field, and as the fields of a GGA and of an RMC with their checksum
// right. What is taken is of its form and in its range, and a fix made of
// them holds only such values.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "formats/nmea.h"
#include "formats/nmea_fields.h"
#include "fuzz_support.h"
#include "geometry/earth_model.h"

using namespace azimora;
using namespace azimora::fuzzing;

namespace {

bool OnlyOf(std::string_view text, std::string_view allowed) { return text.find_first_not_of(allowed) == std::string_view::npos; }

void Fields(std::string_view field, std::string_view hemisphere) {
    if (const auto number = nmea::Number(field)) {
        Expect(std::isfinite(*number), "a number is finite");
        Expect(OnlyOf(field, "-0123456789.") && field.find('-', 1) == std::string_view::npos,
               "a number is digits, a point, a sign first");
    }
    if (const auto whole = nmea::WholeNumber(field, 0, 99)) {
        Expect(*whole >= 0 && *whole <= 99 && OnlyOf(field, "0123456789"), "a whole number is digits in its range");
    }
    if (const auto time = nmea::Time(field)) {
        Expect(time->hour <= 23 && time->minute <= 59 && time->second <= 60, "a time of day in its ranges");
        char back[8];
        std::snprintf(back, sizeof back, "%02d%02d%02d", time->hour, time->minute, time->second);
        Expect(field.substr(0, 6) == back, "a time is read as written");
    }
    if (const auto date = nmea::Date(field)) {
        char iso[16], back[8];
        std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", date->year, date->month, date->day);
        std::snprintf(back, sizeof back, "%02d%02d%02d", date->day, date->month, date->year % 100);
        Expect(ParseIsoDate(iso).has_value(), "a date is a day of the calendar");
        Expect(field == back && date->year >= 1980 && date->year <= 2079, "a date is read as written, 1980 to 2079");
    }
    if (const auto latitude = nmea::Latitude(field, hemisphere)) {
        Expect(std::fabs(*latitude) <= 90 && (*latitude >= 0) == (hemisphere == "N" || *latitude == 0),
               "a latitude within 90 degrees, on its hemisphere's side");
    }
    if (const auto longitude = nmea::Longitude(field, hemisphere)) {
        Expect(std::fabs(*longitude) <= 180 && (*longitude >= 0) == (hemisphere == "E" || *longitude == 0),
               "a longitude within 180 degrees, on its hemisphere's side");
    }
}

void Fix(const std::string& body) {
    unsigned sum = 0;
    for (const char c : body) sum ^= static_cast<unsigned char>(c);
    char checksum[4];
    std::snprintf(checksum, sizeof checksum, "*%02X", sum);
    std::string why;
    const auto fix = ParseNmeaFix("$" + body + checksum, why);
    if (!fix) return;
    Expect(std::fabs(fix->latitude) <= 90 && std::fabs(fix->longitudeWest) <= 180, "a fix on the Earth");
    Expect(fix->timeOfDay.empty() || (fix->timeOfDay.size() == 8 && fix->timeOfDay < "24"), "a fix's time of day");
    Expect(fix->date.empty() || ParseIsoDate(fix->date).has_value(), "a fix's date of the calendar");
    for (const auto& height : {fix->altitudeMetres, fix->ellipsoidHeightMetres})
        Expect(!height || (*height >= kLowestSiteAltitudeKm * 1000 && *height <= kHighestSiteAltitudeKm * 1000),
               "a fix's height a site may have");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> parts = SplitAtNul(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string fields;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        Fields(parts[i], i + 1 < parts.size() ? parts[i + 1] : std::string_view("N"));
        // No commas or stars of their own: each part stays one field.
        if (parts[i].find_first_of(",*\r\n") == std::string_view::npos) fields += "," + std::string(parts[i]);
    }
    Fix("GPGGA" + fields);
    Fix("GNRMC" + fields);
    return 0;
}
