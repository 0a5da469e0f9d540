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
