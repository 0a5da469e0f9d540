// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The figures azimora-calc hands to programs, at their edges: due north as
// 0, lengths that are zero by symmetry as 0, a compass bearing outside the
// magnetic model's years flagged where programs look, and dates in every
// form RFC 3339 allows.
#include <gtest/gtest.h>

#include <sstream>

#include "batch.h"
#include "calc_options.h"
#include "calc_report.h"

namespace azimora::calc {
namespace {

const UnixSeconds kToday = StartOfDay({2026, 12, 7});

InstallationInputs Site(double latitude, double longitudeWest, double satelliteWest, UnixSeconds instant = kToday) {
    InstallationInputs inputs;
    inputs.latitude = latitude;
    inputs.longitudeWest = longitudeWest;
    inputs.satelliteLongitudeWest = satelliteWest;
    inputs.instant = instant;
    return inputs;
}

std::string Json(const InstallationInputs& inputs, std::optional<double> second = std::nullopt) {
    const ZoneTime utc;
    ReportRequest request = CalcRequest(inputs, utc);
    request.secondSatelliteLongitudeWest = second;
    return JsonReport(ComputeSiteReport(request), utc);
}

// The value of a key as written, up to the next comma or brace.
std::string Value(const std::string& json, const std::string& key) {
    const std::size_t at = json.find("\"" + key + "\": ");
    if (at == std::string::npos) return "(none)";
    const std::size_t from = at + key.size() + 4;
    return json.substr(from, json.find_first_of(",}", from) - from);
}

// South of the equator, a satellite on the site's meridian stands due north:
// the pointing gives 360 there (the window's text keeps it); numbers for
// programs say 0, as every bearing from north does. So does the batch.
TEST(CalcFiguresForPrograms, DueNorthIsZero) {
    for (const double latitude : {-45.0, -10.0, -70.0}) {
        const std::string json = Json(Site(latitude, -19.2, -19.2));
        EXPECT_EQ(Value(json, "azimuth"), "0") << latitude;
        EXPECT_EQ(Value(json, "azimuth_text"), "\"360\"") << latitude;
    }
    std::istringstream in("name,lat,lon,sat_lon\nSouth,-45,-19.2,-19.2\n");
    std::ostringstream out;
    BatchSettings settings;
    settings.defaults.instant = kToday;
    RunBatch(in, out, settings);
    EXPECT_EQ(out.str().substr(out.str().find("\nSouth,-45,-19.2,-19.2,") + 23, 2), "0,") << out.str();
}

// On the equator both satellites lie in the plane through the site and the
// arc: the second LNB's place across it is zero by symmetry, and printed as
// 0, never -0 or -2.1e-14.
TEST(CalcFiguresForPrograms, ALengthZeroBySymmetryIsZero) {
    for (const double longitude : {0.0, -13.0, -19.2, 5.0, 40.0}) {
        const std::string json = Json(Site(0, longitude, -19.2), -13.0);
        const std::string right = Value(json, "lnb_right_mm"), up = Value(json, "lnb_up_mm");
        EXPECT_TRUE(right == "0" || up == "0") << longitude << ": right " << right << ", up " << up;
        for (const std::string& figure : {right, up}) {
            EXPECT_EQ(figure.find('e'), std::string::npos) << longitude << ": " << figure;
            EXPECT_NE(figure, "-0") << longitude;
        }
    }
}

// A date outside WMM2025's five years: the bearing is still given, and the
// compass warning says why it is doubtful, unless a weak field's word is
// there already (what programs compare it with; magnetic_model_valid tells).
TEST(CalcFiguresForPrograms, ACompassBearingOutsideTheModelsYearsIsFlagged) {
    const std::string outside = "\"outside the magnetic model's years\"";
    struct Case {
        double latitude;
        int year;
        std::string warning;
    };
    for (const Case& c : {Case{47, 2026, "null"}, Case{47, 1900, outside}, Case{47, 2100, outside},
                          Case{89, 2026, "\"caution\""}, Case{89, 2100, "\"caution\""}}) {
        const std::string json = Json(Site(c.latitude, -8, 19.2, StartOfDay({c.year, 6, 1})));
        EXPECT_EQ(Value(json, "compass_warning"), c.warning) << c.latitude << " " << c.year;
        EXPECT_EQ(Value(json, "magnetic_model_valid"), c.year == 2026 ? "true" : "false");
    }
}

// RFC 3339 section 5.6: "T" and "Z" may be written "t" and "z". Hours,
// minutes and offsets are two digits, never signed.
TEST(CalcFiguresForPrograms, DatesAsRfc3339WritesThem) {
    const UnixSeconds noon = kToday + 12 * 3600;
    struct Case {
        const char* text;
        std::optional<UnixSeconds> instant;
    };
    for (const Case& c : {Case{"2026-12-07T12:00:00Z", noon}, Case{"2026-12-07t12:00:00z", noon},
                          Case{"2026-12-07t12:00:00Z", noon}, Case{"2026-12-07t05:00:00-07:00", noon},
                          Case{"2026-12-07T12:00:00.5z", noon + 0.5}, Case{"2026-12-07T-1:00:00Z", std::nullopt},
                          Case{"2026-12-07T12:-1:00Z", std::nullopt}, Case{"2026-12-07T12:00:00+-1:00", std::nullopt},
                          Case{"2026-12-07x12:00:00Z", std::nullopt}, Case{"2026-12-07T12:00:00y", std::nullopt}}) {
        const auto instant = ParseDateArgument(c.text);
        EXPECT_EQ(instant.has_value(), c.instant.has_value()) << c.text;
        if (instant && c.instant) {
            EXPECT_DOUBLE_EQ(*instant, *c.instant) << c.text;
        }
    }
}

}  // namespace
}  // namespace azimora::calc
