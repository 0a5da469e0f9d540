// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "sky/civil_time.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace azimora {
namespace {

// Days between 1970-01-01 and a date of the proleptic Gregorian calendar
// (H. Hinnant, "chrono-Compatible Low-Level Date Algorithms").
long long DaysFromCivil(int year, int month, int day) {
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate CivilFromDays(long long days) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
    return {year, month, day};
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

UnixSeconds StartOfDay(const CivilDate& date) {
    return static_cast<double>(DaysFromCivil(date.year, date.month, date.day)) * kSecondsPerDay;
}

CivilDate DateOf(UnixSeconds instant) {
    return CivilFromDays(static_cast<long long>(std::floor(instant / kSecondsPerDay)));
}

double JulianDay(UnixSeconds instant) { return instant / kSecondsPerDay + 2440587.5; }

double DecimalYear(UnixSeconds instant) {
    const int year = DateOf(instant).year;
    const double start = StartOfDay({year, 1, 1});
    const double length = StartOfDay({year + 1, 1, 1}) - start;
    return year + (instant - start) / length;
}

UnixSeconds InstantOfDecimalYear(double decimalYear) {
    const int year = static_cast<int>(std::floor(decimalYear));
    const double start = StartOfDay({year, 1, 1});
    return start + (decimalYear - year) * (StartOfDay({year + 1, 1, 1}) - start);
}

std::optional<CivilDate> ParseIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const auto number = [&](std::size_t from, std::size_t length) -> std::optional<int> {
        int value = 0;
        const char* first = text.data() + from;
        const auto [end, error] = std::from_chars(first, first + length, value);
        if (error != std::errc() || end != first + length) return std::nullopt;
        return value;
    };
    const auto year = number(0, 4), month = number(5, 2), day = number(8, 2);
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 || *day > DaysInMonth(*year, *month))
        return std::nullopt;
    return CivilDate{*year, *month, *day};
}

std::optional<IsoInstant> ParseIsoInstant(std::string_view text) {
    // RFC 3339 section 5.6 allows "t" and "z" for "T" and "Z".
    if (text.size() < 19 || (text[10] != 'T' && text[10] != 't' && text[10] != ' ') || text[13] != ':' || text[16] != ':')
        return std::nullopt;
    const auto date = ParseIsoDate(text.substr(0, 10));
    // Two digits, no sign.
    const auto number = [&](std::size_t from) -> std::optional<int> {
        const auto digit = [&](std::size_t at) { return text[at] >= '0' && text[at] <= '9'; };
        if (!digit(from) || !digit(from + 1)) return std::nullopt;
        return (text[from] - '0') * 10 + (text[from + 1] - '0');
    };
    const auto hour = number(11), minute = number(14), second = number(17);
    if (!date || !hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 60) return std::nullopt;
    IsoInstant result;
    result.instant = StartOfDay(*date) + *hour * 3600.0 + *minute * 60.0 + *second;
    std::size_t at = 19;
    if (at < text.size() && text[at] == '.') {
        double scale = 0.1;
        for (++at; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at, scale /= 10)
            result.instant += (text[at] - '0') * scale;
    }
    const std::string_view zone = text.substr(at);
    if (zone.empty()) return result;
    result.hasZone = true;
    if (zone == "Z" || zone == "z") return result;
    // +HH:MM or +HHMM: the local time less this is UTC.
    if ((zone.size() != 6 && zone.size() != 5) || (zone[0] != '+' && zone[0] != '-')) return std::nullopt;
    const std::string digits = zone.size() == 6 ? std::string(zone.substr(1, 2)) + std::string(zone.substr(4, 2))
                                                : std::string(zone.substr(1));
    if (zone.size() == 6 && zone[3] != ':') return std::nullopt;
    if (digits.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    const int hhmm = std::stoi(digits);
    if (hhmm / 100 > 18 || hhmm % 100 > 59) return std::nullopt;
    const double offset = (hhmm / 100) * 3600.0 + (hhmm % 100) * 60.0;
    result.instant -= zone[0] == '-' ? -offset : offset;
    return result;
}

std::string IsoUtc(UnixSeconds instant) {
    const auto seconds = static_cast<long long>(std::llround(instant));
    const long long days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    const long long ofDay = seconds - days * 86400;
    const CivilDate date = CivilFromDays(days);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02lld:%02lld:%02lldZ", date.year, date.month, date.day,
                  ofDay / 3600, ofDay / 60 % 60, ofDay % 60);
    return text;
}

}  // namespace azimora
