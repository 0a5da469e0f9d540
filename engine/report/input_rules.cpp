// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "report/input_rules.h"

#include <array>
#include <cmath>

#include "errors.h"
#include "formats/line_of_sight.h"
#include "geometry/dish_setup.h"
#include "geometry/earth_model.h"
#include "installation.h"
#include "text/coordinate_text.h"
#include "text/number_text.h"

namespace azimora {
namespace {

using enum InputField;

// Longitudes run from -180 to 360, west positive, as the main window's
// caption has them ("0 to +360") and the built-in catalogue's 291.5 needs.
// The dish: from a 10 cm flat antenna to a 20 m earth station's reflector,
// the sizes an installer meets; a size too small for its frequency is
// refused as a pair (CheckDishAndFrequency). The frequency: satellite
// downlinks from L band (1 GHz) to Ka band (40 GHz). The offset angle: a
// prime-focus dish has none, the deepest offset dishes sold about 30
// degrees; 45 leaves room. The focal length: a 10 cm dish's F is some 60 mm,
// a 20 m one's some 12 m. The height: the Dead Sea's shore to an aircraft's,
// as the magnetic model takes it. The line of sight: a roof's neighbour to
// 100 km, as far as a map program shows trees and ridges usefully.
constexpr std::array kRules = {
    InputRule{Latitude, "lat", "latitude", InputKind::Latitude, -90, 90, "degrees", std::nullopt, 0.01, 4},
    InputRule{Longitude, "lon", "longitude", InputKind::Longitude, -180, 360, "degrees", std::nullopt, 0.01, 4},
    InputRule{SatelliteLongitude, "sat", "satellite's longitude", InputKind::Longitude, -180, 360, "degrees",
              std::nullopt, 0.1, 2},
    InputRule{SecondSatelliteLongitude, "second", "second satellite's longitude", InputKind::Longitude, -180, 360,
              "degrees", std::nullopt, 0.1, 2},
    InputRule{DishDiameter, "dish", "dish diameter", InputKind::Number, 0.1, 20, "m", kDefaultDishDiameterMetres, 0.05, 2},
    InputRule{Frequency, "freq", "frequency", InputKind::Number, 1, 40, "GHz", kDefaultFrequencyGHz, 0.05, 2},
    InputRule{OffsetAngle, "offset", "offset angle", InputKind::Number, 0, 45, "degrees", kDefaultOffsetAngle, 0.1, 1},
    InputRule{Height, "alt", "height", InputKind::Number, kLowestSiteAltitudeKm, kHighestSiteAltitudeKm, "km", 0.0,
              0.01, 3},
    InputRule{FocalLength, "focal", "focal length", InputKind::Number, 10, 12000, "mm", std::nullopt, 5, 0},
    InputRule{LineOfSightLength, "los", "length of the line", InputKind::Number, 10, kLongestLineOfSightMetres, "m",
              kDefaultLineOfSightMetres, 100, 0},
    InputRule{HeightAboveSea, "above_sea", "height above sea level", InputKind::Number, -500, 9000, "m", std::nullopt,
              1, 1},
    InputRule{LandmarkBearing, "landmark", "landmark's bearing", InputKind::Number, 0, 360, "degrees", std::nullopt,
              0.1, 1},
    InputRule{LandmarkElevation, "landmark_elevation", "landmark's elevation", InputKind::Number, -90, 90, "degrees",
              0.0, 0.1, 1},
};

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

[[noreturn]] void Refuse(const InputRule& rule, std::string_view text) {
    throw Error("the " + std::string(rule.what) + " " + Quoted(text) + " lies outside " + RangeText(rule));
}

}  // namespace

std::span<const InputRule> InputRules() { return kRules; }

const InputRule& InputRuleOf(InputField field) {
    for (const InputRule& rule : kRules)
        if (rule.field == field) return rule;
    throw Error("no input rule for this field");
}

const InputRule* InputRuleByKey(std::string_view key) {
    for (const InputRule& rule : kRules)
        if (rule.key == key) return &rule;
    return nullptr;
}

std::string RangeText(const InputRule& rule) {
    return FormatGeneral(rule.lowest) + " to " + FormatGeneral(rule.highest) + " " + rule.unit;
}

std::string MissingInputMessage(const InputRule& rule) { return "no " + std::string(rule.what) + " given"; }

double ReadInput(const InputRule& rule, std::string_view text) {
    if (rule.kind == InputKind::Number) {
        const auto typed = ParseTypedNumber(text);
        // Compared as the double the figures take: 0.1 typed is the rule's 0.1.
        const double value = typed ? static_cast<double>(*typed) : 0;
        if (!typed || !std::isfinite(value)) throw Error("the " + std::string(rule.what) + " " + Quoted(text) + " is no number");
        if (!(value >= rule.lowest && value <= rule.highest)) Refuse(rule, text);
        return value;
    }
    const bool latitude = rule.kind == InputKind::Latitude;
    const auto value = ParseAngle(text, latitude ? "NS" : "EW");
    if (!value)
        throw Error("the " + std::string(rule.what) + " " + Quoted(text) + " is no angle: type it as " +
                    (latitude ? "54.6N, 54 36 N or 54\u00B036'N" : "5.9W, 5 54 W or 19.2E"));
    if (!(*value >= rule.lowest && *value <= rule.highest)) Refuse(rule, text);
    return *value;
}

double CheckInput(const InputRule& rule, double value) {
    if (!std::isfinite(value)) throw Error("the " + std::string(rule.what) + " is no number");
    if (!(value >= rule.lowest && value <= rule.highest)) Refuse(rule, FormatGeneral(value));
    return value;
}

}  // namespace azimora
