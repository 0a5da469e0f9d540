// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

// What an installer may enter, in one table for every front: its kind, unit,
// range, default and the message when it is out of range or no number.
// azimora-calc's options, the page's fields and the windows' entry boxes
// (their spin boxes' ranges) all read it. The main window's own boxes are
// not among them: they take any text, as they always have.
namespace azimora {

enum class InputField {
    Latitude,
    Longitude,
    SatelliteLongitude,
    SecondSatelliteLongitude,
    DishDiameter,
    Frequency,
    OffsetAngle,
    Height,
    FocalLength,
    LineOfSightLength,
    HeightAboveSea,
    LandmarkBearing,
    LandmarkElevation,
};

enum class InputKind {
    Latitude,   // an angle with N or S: "54.6N", "54 36 N"; bare north positive
    Longitude,  // an angle with E or W: "5.9W", "19.2E"; bare west positive
    Number,     // a number, with a decimal point or comma: "0.8", "0,8"
};

struct InputRule {
    InputField field;
    std::string_view key;  // the page's address and query ("lat", "dish"); azimora-calc's options say it longer
    const char* what;      // in the messages: "dish diameter"
    InputKind kind;
    double lowest;
    double highest;
    const char* unit;      // "degrees", "m", "GHz"
    std::optional<double> fallback;  // what stands when nothing is entered; none: it must be entered
    double step;           // a spin box's step, and its decimals
    int decimals;
};

[[nodiscard]] std::span<const InputRule> InputRules();
[[nodiscard]] const InputRule& InputRuleOf(InputField field);
// The rule of a key of the page's address; nullptr for none.
[[nodiscard]] const InputRule* InputRuleByKey(std::string_view key);

// "-90 to 90 degrees", "0.1 to 20 m".
[[nodiscard]] std::string RangeText(const InputRule& rule);
// "no latitude given".
[[nodiscard]] std::string MissingInputMessage(const InputRule& rule);

// A typed text read by its rule: the value (west positive for longitudes),
// or Error with the message, the text quoted as typed: "the dish diameter
// '0,05' lies outside 0.1 to 20 m", "the latitude 'x' is no angle: type it
// as 54.6N, 54 36 N or 54°36'N".
[[nodiscard]] double ReadInput(const InputRule& rule, std::string_view text);

// A value given as a number, checked by its rule: the value, or Error with
// the message ReadInput gives for its text.
double CheckInput(const InputRule& rule, double value);

}  // namespace azimora
