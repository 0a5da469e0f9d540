// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Instants as seconds since 1970-01-01 00:00 UTC (leap seconds not counted,
// as the system clock counts), and the calendar around them.
namespace azimora {

using UnixSeconds = double;

struct CivilDate {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

inline constexpr double kSecondsPerDay = 86400;

// Midnight UTC at the start of the date.
[[nodiscard]] UnixSeconds StartOfDay(const CivilDate& date);
// The UTC date an instant falls on.
[[nodiscard]] CivilDate DateOf(UnixSeconds instant);

// Julian Day (UT) of an instant: 2451545.0 is 2000-01-01 12:00 UTC.
[[nodiscard]] double JulianDay(UnixSeconds instant);

// The year as a decimal: the start of the year plus the elapsed fraction of
// it (2026.5 is the middle of 2026, 2 July 12:00), as magnetic models count.
[[nodiscard]] double DecimalYear(UnixSeconds instant);
[[nodiscard]] UnixSeconds InstantOfDecimalYear(double decimalYear);

// "YYYY-MM-DD", a real date of the Gregorian calendar; nullopt otherwise.
[[nodiscard]] std::optional<CivilDate> ParseIsoDate(std::string_view text);

// An instant of ISO 8601: "2026-12-07T12:00:00" with optional fraction of a
// second and optional zone ("Z", "+01:00", "-0700"); without a zone, UTC.
struct IsoInstant {
    UnixSeconds instant = 0;
    bool hasZone = false;
};
[[nodiscard]] std::optional<IsoInstant> ParseIsoInstant(std::string_view text);

// ISO 8601 in UTC to the second: "2026-03-05T17:42:08Z" (rounded).
[[nodiscard]] std::string IsoUtc(UnixSeconds instant);

}  // namespace azimora
