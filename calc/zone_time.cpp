// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "zone_time.h"

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "errors.h"
#include "formats/site_zone.h"

namespace azimora::calc {
namespace {

// Where the C library finds its zones.
std::string ZoneFolder() {
    const char* folder = std::getenv("TZDIR");
    return folder != nullptr && *folder != '\0' ? folder : "/usr/share/zoneinfo";
}

// Selects the zone for localtime_r; the process has one thread, and the
// zone is set before every conversion.
void UseZone(const std::optional<std::string>& zone) {
    if (zone && !zone->empty()) ::setenv("TZ", (":" + *zone).c_str(), 1);
    ::tzset();
}

}  // namespace

std::optional<ZoneTime> ZoneTime::Named(const std::string& zone) {
    ZoneTime named;
    if (zone == "local") {
        named.zone_ = std::string();
        return named;
    }
    // A name of the database, never a path out of it.
    if (zone.empty() || zone.front() == '/' || zone.find("..") != std::string::npos) return std::nullopt;
    struct stat info {};
    if (::stat((ZoneFolder() + "/" + zone).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    named.zone_ = zone;
    return named;
}

ZoneTime::Local ZoneTime::At(UnixSeconds instant) const {
    const std::time_t seconds = static_cast<std::time_t>(std::floor(instant + 0.5));
    std::tm fields{};
    if (zone_) {
        UseZone(zone_);
        ::localtime_r(&seconds, &fields);
    } else {
        ::gmtime_r(&seconds, &fields);
    }
    return {fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday, fields.tm_hour, fields.tm_min, fields.tm_sec,
            zone_ ? fields.tm_gmtoff : 0, zone_ && fields.tm_zone != nullptr ? fields.tm_zone : "UTC"};
}

long ZoneTime::LeapSecondsCounted() const {
    // 2020-01-01T00:00:00Z, three years after the latest leap second so far:
    // the clock read back through its offset is the instant itself in a civil zone.
    constexpr UnixSeconds kProbe = 1577836800;
    const Local local = At(kProbe);
    const UnixSeconds shown = azimora::StartOfDay({local.year, local.month, local.day}) + local.hour * 3600 +
                              local.minute * 60 + local.second - static_cast<double>(local.offsetSeconds);
    return std::lround(kProbe - shown);
}

std::string ZoneTime::Iso(UnixSeconds instant) const {
    const Local local = At(instant);
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", local.year, local.month, local.day, local.hour,
                  local.minute, local.second);
    std::string iso = text;
    if (!zone_) return iso + "Z";
    const long offset = std::labs(local.offsetSeconds) / 60;
    std::snprintf(text, sizeof text, "%c%02ld:%02ld", local.offsetSeconds < 0 ? '-' : '+', offset / 60, offset % 60);
    return iso + text;
}

UnixSeconds ZoneTime::Midnight(int year, int month, int day) const {
    if (!zone_) return azimora::StartOfDay({year, month, day});
    UseZone(zone_);
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_isdst = -1;  // as the zone has it that day
    return static_cast<UnixSeconds>(std::mktime(&fields));
}

UnixSeconds ZoneTime::StartOfDay(UnixSeconds instant) const {
    const Local local = At(instant);
    return Midnight(local.year, local.month, local.day);
}

UnixSeconds ZoneTime::StartOfNextDay(UnixSeconds instant) const {
    const Local local = At(instant);
    return Midnight(local.year, local.month, local.day + 1);  // mktime carries into the next month
}

UnixSeconds ZoneTime::StartOfYear(UnixSeconds instant) const { return Midnight(At(instant).year, 1, 1); }

UnixSeconds ZoneTime::StartOfNextYear(UnixSeconds instant) const { return Midnight(At(instant).year + 1, 1, 1); }

std::string ZoneTime::Date(UnixSeconds instant) const { return Iso(instant).substr(0, 10); }

std::string ZoneTime::TimeOfDay(UnixSeconds instant) const {
    const Local local = At(instant);
    char text[64];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d %s", local.hour, local.minute, local.second,
                  local.abbreviation.c_str());
    return text;
}

SiteZoneTime ZoneOfSite(double latitude, double longitudeWest) {
    const InstalledBoundaries& installed = InstalledTimeZoneBoundaries();
    if (installed.boundaries == nullptr) throw Error("--tz site: " + installed.error);
    const SiteZoneFinding found = FindSiteZone(installed.boundaries, nullptr, latitude, longitudeWest);
    auto named = ZoneTime::Named(found.zone);
    if (!named)
        throw Error("--tz site: the site keeps the zone " + found.zone +
                    ", which this system's time-zone data does not know (update the package tzdata)");
    return {*named, found.zone, found.source == SiteZoneSource::AtSea};
}

std::string SiteZoneWords(const SiteZoneTime& zone) {
    if (zone.atSea)
        return zone.name + ", the nautical zone of the longitude: the site lies at sea, outside every zone's boundary";
    return zone.name + ", whose boundary holds the site";
}

}  // namespace azimora::calc
