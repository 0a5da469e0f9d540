// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "formats/nmea_fields.h"

#include <algorithm>
#include <string>

#include "text/number_text.h"

namespace azimora::nmea {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool AllDigits(std::string_view text) { return std::all_of(text.begin(), text.end(), IsDigit); }

int TwoDigits(std::string_view text, std::size_t at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); }

// Whole digits, then '.' and digits or nothing: the part after the whole
// ones as a fraction, 0 when there is none.
std::optional<double> Fraction(std::string_view text) {
    if (text.empty()) return 0.0;
    if (text.front() != '.' || !AllDigits(text.substr(1))) return std::nullopt;
    return text.size() == 1 ? 0.0 : ParseDataNumber("0" + std::string(text));
}

// degrees (two or three digits), minutes (two), their fraction; then the hemisphere.
std::optional<double> Angle(std::string_view value, std::string_view hemisphere, std::size_t degreeDigits, char positive,
                            char negative, double limit) {
    const std::size_t whole = std::min(value.find('.'), value.size());
    if (whole != degreeDigits + 2 || !AllDigits(value.substr(0, whole)) || hemisphere.size() != 1) return std::nullopt;
    const auto fraction = Fraction(value.substr(whole));
    if (!fraction) return std::nullopt;
    int degrees = 0;
    for (std::size_t i = 0; i < degreeDigits; ++i) degrees = degrees * 10 + (value[i] - '0');
    const double minutes = TwoDigits(value, degreeDigits) + *fraction;
    if (minutes >= 60) return std::nullopt;
    const double angle = degrees + minutes / 60;
    if (angle > limit) return std::nullopt;
    if (hemisphere[0] == positive) return angle;
    if (hemisphere[0] == negative) return -angle;
    return std::nullopt;
}

}  // namespace

std::optional<double> Number(std::string_view field) {
    std::string_view digits = field;
    if (digits.starts_with('-')) digits.remove_prefix(1);
    const std::size_t point = digits.find('.');
    const std::string_view whole = digits.substr(0, point);
    const std::string_view after = point == std::string_view::npos ? std::string_view() : digits.substr(point + 1);
    if (whole.size() + after.size() == 0 || !AllDigits(whole) || !AllDigits(after)) return std::nullopt;
    return ParseDataNumber(field);
}

std::optional<int> WholeNumber(std::string_view field, int lowest, int highest) {
    if (field.empty() || field.size() > 9 || !AllDigits(field)) return std::nullopt;
    int value = 0;
    for (const char c : field) value = value * 10 + (c - '0');
    if (value < lowest || value > highest) return std::nullopt;
    return value;
}

std::optional<TimeOfDay> Time(std::string_view field) {
    if (field.size() < 6 || !AllDigits(field.substr(0, 6)) || !Fraction(field.substr(6))) return std::nullopt;
    const TimeOfDay time{TwoDigits(field, 0), TwoDigits(field, 2), TwoDigits(field, 4)};
    if (time.hour > 23 || time.minute > 59 || time.second > 60) return std::nullopt;
    return time;
}

std::optional<CivilDate> Date(std::string_view field) {
    if (field.size() != 6 || !AllDigits(field)) return std::nullopt;
    const int year = TwoDigits(field, 4);
    // As ISO 8601 writes it, to be checked against the calendar.
    const std::string iso = std::to_string(year >= 80 ? 1900 + year : 2000 + year) + "-" + std::string(field.substr(2, 2)) +
                            "-" + std::string(field.substr(0, 2));
    return ParseIsoDate(iso);
}

std::optional<double> Latitude(std::string_view value, std::string_view hemisphere) {
    return Angle(value, hemisphere, 2, 'N', 'S', 90);
}

std::optional<double> Longitude(std::string_view value, std::string_view hemisphere) {
    return Angle(value, hemisphere, 3, 'E', 'W', 180);
}

}  // namespace azimora::nmea
