// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

#include "sky/civil_time.h"

// Instants as the clock of a time zone shows them, through the C library's
// zone support (the system's tz database): the engine counts in UTC, and
// only the text azimora-calc prints is in the zone asked for.
namespace azimora::calc {

class ZoneTime {
public:
    // UTC, as azimora-calc prints without --tz.
    ZoneTime() = default;
    // An IANA zone name ("America/Edmonton") or "local" (the system's own);
    // nullopt when the system knows no such zone.
    [[nodiscard]] static std::optional<ZoneTime> Named(const std::string& zone);

    [[nodiscard]] bool IsUtc() const noexcept { return !zone_; }

    // Seconds this zone's clock falls behind UTC and its offset: the leap
    // seconds a zone of tz's right/ family counts (27 from 2017), 0 for
    // every civil zone, whose clock counts none (POSIX time, RFC 8536).
    [[nodiscard]] long LeapSecondsCounted() const;

    // "2026-12-07T11:51:37-07:00"; in UTC "2026-12-07T18:51:37Z".
    [[nodiscard]] std::string Iso(UnixSeconds instant) const;
    // "2026-12-07".
    [[nodiscard]] std::string Date(UnixSeconds instant) const;
    // "11:51:37 MST".
    [[nodiscard]] std::string TimeOfDay(UnixSeconds instant) const;
    // The zone's midnight that starts the day of the instant, and the next
    // one (23 or 25 hours later across a change of daylight-saving time).
    [[nodiscard]] UnixSeconds StartOfDay(UnixSeconds instant) const;
    [[nodiscard]] UnixSeconds StartOfNextDay(UnixSeconds instant) const;
    // The zone's midnight that starts the year of the instant, and the next one.
    [[nodiscard]] UnixSeconds StartOfYear(UnixSeconds instant) const;
    [[nodiscard]] UnixSeconds StartOfNextYear(UnixSeconds instant) const;
    // The zone's midnight that starts a day of its calendar (the earlier,
    // where a change of clocks makes it twice).
    [[nodiscard]] UnixSeconds Midnight(int year, int month, int day) const;

private:
    struct Local {
        int year, month, day, hour, minute, second;
        long offsetSeconds;
        std::string abbreviation;
    };
    [[nodiscard]] Local At(UnixSeconds instant) const;

    std::optional<std::string> zone_;  // for TZ; empty: the system's own
};

// --tz site: the zone the site keeps, from the time zones' boundaries; at
// sea, outside every boundary, the nautical zone of its longitude.
struct SiteZoneTime {
    ZoneTime zone;
    std::string name;    // "America/Edmonton", "Etc/GMT+3"
    bool atSea = false;
};
// Throws Error when the boundaries cannot be read or this system does not
// know the zone they name.
[[nodiscard]] SiteZoneTime ZoneOfSite(double latitude, double longitudeWest);
// The words that say where the zone came from: "America/Edmonton, whose
// boundary holds the site", "Etc/GMT+3, the nautical zone of the
// longitude: the site lies at sea, outside every zone's boundary".
[[nodiscard]] std::string SiteZoneWords(const SiteZoneTime& zone);

}  // namespace azimora::calc
