// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTimeZone>

#include "sky/civil_time.h"

// The site's own clock: every time the assistant shows is in the zone of the
// site, never the computer's, and names it. The zone is the one whose
// boundary holds the site (formats/site_zone.h); outside every boundary the
// nearest town's of libgweather's within 200 km, else the nautical zone of
// the longitude; the user may choose any other.
namespace azimora::shell {

struct SiteZone {
    QTimeZone zone;
    QString how;  // "the zone of Calgary (Alberta), the town of the site", "...": said beside the times
};

// chosen: an IANA id the user picked, or empty for the site's own.
[[nodiscard]] SiteZone ZoneOfSite(double latitude, double longitudeWest, const QString& locationName,
                                  const QByteArray& chosen);

// The instant as the zone's clock shows it, naming the zone:
// "11:51:37 MST (UTC-7)".
[[nodiscard]] QString ClockText(UnixSeconds instant, const QTimeZone& zone);
// "MST (UTC-7)", "CET (UTC+1)", "UTC", "(Asia/Kathmandu, UTC+5:45)" where the zone has no letters.
[[nodiscard]] QString ZoneText(UnixSeconds instant, const QTimeZone& zone);
// "11:51:37".
[[nodiscard]] QString TimeOfDay(UnixSeconds instant, const QTimeZone& zone);
[[nodiscard]] QDateTime InZone(UnixSeconds instant, const QTimeZone& zone);

// The zone's day of an instant: its midnight and the next (23 or 25 hours
// apart across a change of clocks), as instants.
struct ZoneDay {
    UnixSeconds start = 0;
    UnixSeconds end = 0;
};
[[nodiscard]] ZoneDay DayOf(UnixSeconds instant, const QTimeZone& zone);

}  // namespace azimora::shell
