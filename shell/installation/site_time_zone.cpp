// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "installation/site_time_zone.h"

#include <cmath>
#include <memory>

#include "errors.h"
#include "formats/place_search.h"
#include "formats/site_zone.h"
#include "gweather_locations.h"

namespace azimora::shell {
namespace {

// libgweather's towns, read once, on the first site that asks.
const PlaceIndex* KnownTowns() {
    static const std::unique_ptr<PlaceIndex> towns = []() -> std::unique_ptr<PlaceIndex> {
        try {
            return std::make_unique<PlaceIndex>(sources::ReadGWeatherCities());
        } catch (const Error&) {
            return nullptr;
        }
    }();
    return towns.get();
}

QString TownName(const Place& town) {
    return QString::fromStdString(town.name) +
           (town.state.empty() ? QString() : QStringLiteral(" (") + QString::fromStdString(town.state) + u')');
}

}  // namespace

SiteZone ZoneOfSite(double latitude, double longitudeWest, const QString& locationName, const QByteArray& chosen) {
    if (!chosen.isEmpty()) {
        const QTimeZone zone(chosen);
        if (zone.isValid()) return {zone, QStringLiteral("chosen by you")};
    }
    const InstalledBoundaries& boundaries = InstalledTimeZoneBoundaries();
    const PlaceIndex* towns = KnownTowns();
    const SiteZoneFinding found = FindSiteZone(boundaries.boundaries, towns, latitude, longitudeWest);
    if (found.source == SiteZoneSource::Unknown) {
        const QString missing = boundaries.boundaries == nullptr ? QString::fromStdString(boundaries.error) + u' '
                                                                 : QString();
        if (towns == nullptr)
            return {QTimeZone::utc(), QStringLiteral("UTC: %1the list of towns that gives a site its zone is missing "
                                                     "(Debian's package libgweather-4-common); choose the zone below")
                                          .arg(missing)};
        return {QTimeZone::utc(), QStringLiteral("UTC: %1no town within %2 km tells the zone of this site; choose it below")
                                      .arg(missing)
                                      .arg(kNearestTownKm)};
    }
    const QTimeZone zone(QByteArray::fromStdString(found.zone));
    if (!zone.isValid())
        return {QTimeZone::utc(), QStringLiteral("UTC: this system does not know %1, the zone of this site; choose one below")
                                      .arg(QString::fromStdString(found.zone))};
    switch (found.source) {
        case SiteZoneSource::AtSea:
            return {zone, QStringLiteral("the nautical zone of the longitude: the site lies at sea, outside every zone's "
                                         "boundary")};
        case SiteZoneSource::NearestTown:
            return {zone, QStringLiteral("the zone of the nearest town, %1, %2 km away: the site lies outside every "
                                         "zone's boundary")
                              .arg(TownName(*found.town))
                              .arg(std::lround(found.townKm))};
        default:
            break;
    }
    // The town chosen in Find Location (or the list's) names the location.
    if (found.town != nullptr && locationName.startsWith(QString::fromStdString(found.town->name)))
        return {zone, QStringLiteral("the zone of %1, the town of the site").arg(TownName(*found.town))};
    return {zone, QStringLiteral("the zone whose boundary holds the site")};
}

QDateTime InZone(UnixSeconds instant, const QTimeZone& zone) {
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::llround(instant * 1000)), zone);
}

QString ZoneText(UnixSeconds instant, const QTimeZone& zone) {
    const QDateTime when = InZone(instant, zone);
    const int offset = zone.offsetFromUtc(when);
    const int minutes = std::abs(offset) / 60;
    QString utc = QStringLiteral("UTC");
    if (offset != 0) {
        utc += offset < 0 ? u'-' : u'+';
        utc += QString::number(minutes / 60);
        if (minutes % 60 != 0) utc += u':' + QStringLiteral("%1").arg(minutes % 60, 2, 10, QLatin1Char('0'));
    }
    const QString abbreviation = zone.abbreviation(when);
    // Some zones have no letters of their own ("+0545"): their name and the
    // offset say it.
    const bool letters = !abbreviation.isEmpty() && abbreviation.front().isLetter();
    if (!letters) return QStringLiteral("(%1, %2)").arg(QString::fromLatin1(zone.id()), utc);
    if (offset == 0 && (abbreviation == u"UTC" || abbreviation == u"GMT")) return abbreviation;
    return QStringLiteral("%1 (%2)").arg(abbreviation, utc);
}

QString TimeOfDay(UnixSeconds instant, const QTimeZone& zone) {
    return InZone(instant, zone).toString(QStringLiteral("HH:mm:ss"));
}

QString ClockText(UnixSeconds instant, const QTimeZone& zone) {
    return TimeOfDay(instant, zone) + u' ' + ZoneText(instant, zone);
}

ZoneDay DayOf(UnixSeconds instant, const QTimeZone& zone) {
    const QDate date = InZone(instant, zone).date();
    return {static_cast<double>(date.startOfDay(zone).toSecsSinceEpoch()),
            static_cast<double>(date.addDays(1).startOfDay(zone).toSecsSinceEpoch())};
}

}  // namespace azimora::shell
