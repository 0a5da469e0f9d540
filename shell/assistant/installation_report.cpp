// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "assistant/installation_report.h"

#include <QLocale>

#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

#include "errors.h"
#include "sky/sun_events.h"
#include "widgets/angle_text.h"

namespace azimora::shell {
namespace {

constexpr int kOutageDaysShown = 12;

QString Degrees(double value, int decimals = 2) { return DegreesText(value, decimals); }
QString Longitude(double west) { return LongitudeText(west, 2); }
QString Latitude(double north) { return LatitudeText(north, 2); }

// The outage searches done, by what they depend on: a search takes a year of
// days, and is done again only when the site, the satellite, the dish or
// the day change; a window may have one done on another thread.
using OutageKey = std::tuple<double, double, double, double, UnixSeconds>;

struct OutageStore {
    std::mutex mutex;
    std::map<OutageKey, std::vector<SunOutage>> found;
};

OutageStore& Outages() {
    static OutageStore store;
    return store;
}

OutageKey KeyOf(const OutageSearch& search) {
    return {search.site.latitude, search.site.longitudeWest, search.site.satelliteLongitudeWest, search.threshold,
            search.dayStart};
}

std::optional<std::vector<SunOutage>> KnownOutages(const OutageSearch& search) {
    OutageStore& store = Outages();
    const std::lock_guard lock(store.mutex);
    const auto found = store.found.find(KeyOf(search));
    if (found == store.found.end()) return std::nullopt;
    return found->second;
}

}  // namespace

void RunOutageSearch(const OutageSearch& search) {
    if (KnownOutages(search)) return;
    auto outages = SunOutages(search.site, search.threshold, search.dayStart, search.dayStart + 366 * kSecondsPerDay);
    OutageStore& store = Outages();
    const std::lock_guard lock(store.mutex);
    // A few sites' worth is all a session needs.
    if (store.found.size() > 64) store.found.clear();
    store.found.emplace(KeyOf(search), std::move(outages));
}

SiteZone ZoneOfDisplay(const DisplaySite& site, const QByteArray& chosen) {
    static std::tuple<double, double, std::string, QByteArray> key{};
    static SiteZone zone;
    const auto now = std::make_tuple(site.latitude, site.longitudeWest, site.locationName, chosen);
    if (now != key || !zone.zone.isValid()) {
        key = now;
        zone = ZoneOfSite(site.latitude, site.longitudeWest, QString::fromStdString(site.locationName), chosen);
    }
    return zone;
}

namespace {

QString OutageText(const SunOutage& outage, const QTimeZone& zone) {
    // The sheet and the window speak English: their day and month names too,
    // whatever the desktop's language (German names in English text mislead).
    const QLocale english(QLocale::English);
    QString text = english.toString(InZone(outage.peak, zone).date(), QStringLiteral("ddd d MMM yyyy")) + u' ' +
                   TimeOfDay(outage.start, zone);
    // A change of clocks within an outage names both zones.
    if (ZoneText(outage.start, zone) != ZoneText(outage.end, zone)) text += u' ' + ZoneText(outage.start, zone);
    return text + QStringLiteral(" to ") + ClockText(outage.end, zone);
}

QString CompassFieldText(const InstallationFigures& f) {
    const QString field = QStringLiteral("%1 nT").arg(std::lround(f.horizontalFieldNt));
    switch (f.compassWarning) {
        case CompassWarning::Unreliable:
            return field + QStringLiteral(": under 2000 nT a compass is unreliable here; aim by the sun's moments below or "
                                          "by a landmark");
        case CompassWarning::Caution:
            return field + QStringLiteral(": under 6000 nT a compass needs caution here; check it against the sun");
        case CompassWarning::None: break;
    }
    return field;
}

}  // namespace

QString SkewInWords(double skew, Polarisation polarisation) {
    if (polarisation == Polarisation::Circular) return QStringLiteral("circular polarisation: no skew");
    QString words = std::fabs(skew) < 0.05
                        ? QStringLiteral("none: the LNB stays upright")
                        : QStringLiteral("turn the LNB %1 degrees %2, seen from behind the dish")
                              .arg(QString::number(std::fabs(skew), 'f', 1),
                                   skew > 0 ? QStringLiteral("clockwise") : QStringLiteral("counter-clockwise"));
    if (polarisation == Polarisation::Mixed) words += QStringLiteral(" (for its linear transponders; circular ones need none)");
    return words;
}

QString LnbInWords(const InstallationReport& report) {
    const InstallationFigures& f = report.figures;
    if (!f.visible) return QStringLiteral("none: the satellite cannot be seen from this site");
    if (!f.skew) return QStringLiteral("none to set: the satellite stands straight overhead, and the LNB has no up to turn from");
    const SatellitePolarisation& p = report.polarisation;
    if (p.ofSatellite != Polarisation::Unknown) return SkewInWords(*f.skew, p.ofSatellite);
    QString words = SkewInWords(*f.skew);
    // The tables at this position are of other satellites: what they say, as a hint only.
    const QString names = QString::fromStdString([&] {
        std::string joined;
        for (const std::string& name : p.namesAtPosition) joined += (joined.empty() ? "" : ", ") + name;
        return joined;
    }());
    if (p.atPosition == Polarisation::Circular)
        words += QStringLiteral(" (the DVB scan tables list only circular transponders at this position, of %1: "
                                "if yours is one of them, it needs no skew)").arg(names);
    if (p.atPosition == Polarisation::Mixed)
        words += QStringLiteral(" (the DVB scan tables at this position differ: %1 send in linear and circular "
                                "polarisation; circular needs no skew)").arg(names);
    return words;
}

QString FaceTiltInWords(double tilt) {
    if (std::fabs(tilt) < 0.005) return QStringLiteral("the face upright");
    return QStringLiteral("the face %1 %2").arg(Degrees(std::fabs(tilt)), tilt > 0 ? QStringLiteral("back, looking up")
                                                                                   : QStringLiteral("forward, looking down"));
}

const std::vector<ScanTableSatellite>& KnownScanTables() {
    static const std::vector<ScanTableSatellite> satellites = [] {
        try {
            return ReadScanTables().satellites;
        } catch (const Error&) {
            return std::vector<ScanTableSatellite>{};
        }
    }();
    return satellites;
}

InstallationReport BuildInstallationReport(const DisplayValues& values, const AssistantSettings& settings,
                                           const ObstacleHorizon& obstacles, const QDateTime& now, OutageMode mode) {
    InstallationReport report;
    report.offsetAngle = settings.offsetAngle;
    report.instant = static_cast<double>(now.toMSecsSinceEpoch()) / 1000;
    report.missing = WhatIsMissing(values);
    if (report.missing != MissingInput::Nothing) return report;
    report.site = SiteOfDisplay(values);
    if (!report.site) return report;
    InstallationInputs inputs;
    inputs.latitude = report.site->latitude;
    inputs.longitudeWest = report.site->longitudeWest;
    inputs.satelliteLongitudeWest = report.site->satelliteLongitudeWest;
    inputs.instant = static_cast<double>(now.toMSecsSinceEpoch()) / 1000;
    inputs.dishDiameterMetres = settings.dishDiameterMetres;
    inputs.frequencyGHz = settings.frequencyGHz;
    inputs.offsetAngle = settings.offsetAngle;
    try {
        report.figures = ComputeInstallation(inputs);
    } catch (const Error& error) {
        report.problem = error.what();
        report.site.reset();
        return report;
    }
    report.polarisation = PolarisationOf(KnownScanTables(), report.site->satelliteName, inputs.satelliteLongitudeWest);
    report.zone = ZoneOfDisplay(*report.site, settings.timeZone);

    const ZoneDay today = DayOf(inputs.instant, report.zone.zone);
    const DishSite site = DishSiteOf(inputs);
    const double azimuth = static_cast<double>(report.figures.pointing.Azimuth);
    if (report.figures.visible) {
        report.todaysAlignments = SunAlignmentsBetween(site, azimuth, today.start, today.end);
        const OutageSearch search{site, report.figures.outageThreshold, today.start};
        if (mode == OutageMode::Wait) RunOutageSearch(search);
        if (const auto outages = KnownOutages(search)) {
            for (const SunOutage& outage : *outages) {
                if (outage.end < inputs.instant) continue;
                if (report.nextOutages.size() == kOutageDaysShown) break;
                report.nextOutages.push_back(outage);
            }
        } else {
            report.pendingOutages = search;
        }
    }
    if (settings.secondSatelliteWest) {
        const double focal = settings.focalLengthMm > 0 ? settings.focalLengthMm
                                                        : kDefaultFocalRatio * settings.dishDiameterMetres * 1000;
        report.second = InstallationReport::Second{
            settings.secondSatelliteName, *settings.secondSatelliteWest, focal,
            ComputeTwoSatelliteDish(inputs.latitude, inputs.longitudeWest, inputs.satelliteLongitudeWest,
                                    *settings.secondSatelliteWest, settings.dishDiameterMetres, focal)};
    }
    report.obstacle.marks = obstacles.Points().size();
    report.obstacle.skyline = obstacles.ElevationAt(azimuth);
    report.obstacle.blocked = obstacles.Blocks({azimuth, static_cast<double>(report.figures.pointing.Elevation)});
    return report;
}

std::optional<DisplaySkyChart::Second> SecondSatelliteOnChart(const AssistantSettings& settings) {
    if (!settings.secondSatelliteWest) return std::nullopt;
    const QString name =
        settings.secondSatelliteName.isEmpty() ? Longitude(*settings.secondSatelliteWest) : settings.secondSatelliteName;
    return DisplaySkyChart::Second{name.toStdString(), *settings.secondSatelliteWest};
}

QString NoFiguresNotice(const InstallationReport& report) {
    if (!report.problem.empty()) return QString::fromStdString(report.problem);
    return QString::fromLatin1(report.missing == MissingInput::Satellite ? kNoSatelliteNotice : kNoCalculationNotice);
}

namespace {

template <typename Add>
void SecondSatelliteRows(const InstallationReport::Second& second, bool firstVisible, const Add& add) {
    const TwoSatelliteDish& dish = second.dish;
    const QString name = second.name.isEmpty() ? QString() : second.name + QStringLiteral(" (");
    add("Second satellite", "Second satellite",
        name + Longitude(second.longitudeWest) + (second.name.isEmpty() ? QString() : QStringLiteral(")")));
    add("Second satellite", "Separation",
        QStringLiteral("%1 between the two lines of sight (%2 apart in orbit)")
            .arg(Degrees(dish.separation), Degrees(dish.orbitalSpacing)));
    if (!firstVisible) return;
    if (!dish.secondVisible) {
        add("Second satellite", "Second LNB", QStringLiteral("none: the second satellite cannot be seen from this site"));
        return;
    }
    if (!dish.beyondReach.empty()) {
        add("Second satellite", "Second LNB", QStringLiteral("none: ") + QString::fromStdString(dish.beyondReach));
        return;
    }
    const auto side = [](double mm, const char* positive, const char* negative) {
        return QStringLiteral("%1 mm %2").arg(std::fabs(mm), 0, 'f', 1).arg(QLatin1String(mm >= 0 ? positive : negative));
    };
    add("Second satellite", "Second LNB",
        QStringLiteral("%1 mm from the first LNB: %2 and %3, seen from behind the dish (focal length %4 mm; "
                       "beam deviation factor %5)")
            .arg(dish.lnbOffsetMm, 0, 'f', 1)
            .arg(side(dish.lnbRightMm, "right", "left"), side(dish.lnbUpMm, "up", "down"))
            .arg(second.focalLengthMm, 0, 'f', 0)
            .arg(dish.beamDeviationFactor, 0, 'f', 3));
    add("Second satellite", "Its LNB skew",
        dish.secondSkew ? SkewInWords(*dish.secondSkew) : QStringLiteral("none to set: it stands straight overhead"));
    const auto spacing = FittingMonoblock(dish);
    add("Second satellite", "Monoblock",
        spacing ? QStringLiteral("a %1° monoblock fits").arg(QString::number(*spacing))
                : QStringLiteral("no monoblock fits (made for 4.3° or 6° apart in orbit): use a multifeed holder"));
}

}  // namespace

QList<InstallationRow> InstallationRows(const InstallationReport& report) {
    QList<InstallationRow> rows;
    if (!report.site) return rows;
    const DisplaySite& site = *report.site;
    const InstallationFigures& f = report.figures;
    const QTimeZone& zone = report.zone.zone;
    const double azimuth = static_cast<double>(f.pointing.Azimuth);
    const double elevation = static_cast<double>(f.pointing.Elevation);
    const double declination = f.magnetic.declination;
    const auto add = [&](const char* section, const char* label, const QString& value) {
        rows.append({QString::fromLatin1(section), QString::fromLatin1(label), value});
    };

    add("Pointing", "Location",
        QString::fromStdString(site.locationName) + QStringLiteral(" (") + Latitude(site.latitude) + QStringLiteral(", ") +
            Longitude(site.longitudeWest) + u')');
    add("Pointing", "Satellite",
        QString::fromStdString(site.satelliteName) + QStringLiteral(" (") + Longitude(site.satelliteLongitudeWest) + u')');
    add("Pointing", "True azimuth", AzimuthText(azimuth, 2));
    add("Pointing", "Compass bearing",
        AzimuthText(f.compassBearing, 2) + QStringLiteral(" (magnetic declination %1 %2)")
                                        .arg(Degrees(std::fabs(declination)),
                                             declination < 0 ? QStringLiteral("W") : QStringLiteral("E")));
    add("Pointing", "Horizontal field", CompassFieldText(f));
    add("Pointing", "Magnetic model",
        QString::fromStdString(f.magnetic.model) +
            (f.magnetic.valid ? QStringLiteral(", valid 2025.0 to 2030.0")
                              : QStringLiteral(", outside its validity (2025.0 to 2030.0): bearing approximate")));
    add("Pointing", "Elevation",
        f.visible ? Degrees(elevation)
                  : Degrees(elevation) + QStringLiteral(": below the horizon, the satellite cannot be seen from this site"));
    if (!f.visible) {
        add("Mounting", "Out of sight",
            QStringLiteral("nothing to set: no skew, face tilt, motor angle or sun outage for a satellite below the horizon"));
    } else {
        add("Mounting", "LNB skew", LnbInWords(report));
        add("Mounting", "Dish face tilt",
            QStringLiteral("%1 on an inclinometer (%2), for an offset of %3")
                .arg(Degrees(*f.dishTilt), FaceTiltInWords(*f.dishTilt), Degrees(report.offsetAngle, 1)));
        add("Mounting", "Motor angle",
            Degrees(std::fabs(f.motor->motorAngle)) +
                (f.motor->motorAngle < 0 ? QStringLiteral(" east") : QStringLiteral(" west")) +
                QStringLiteral(" of centre; declination offset %1").arg(Degrees(f.motor->declinationOffset)));
        QStringList alignments;
        for (const UnixSeconds t : report.todaysAlignments) alignments << ClockText(t, zone);
        add("Sun", "Sun in the dish's azimuth today",
            alignments.isEmpty() ? QStringLiteral("not while the sun is up") : alignments.join(QStringLiteral(", ")));
        QStringList outages;
        for (const SunOutage& outage : report.nextOutages) outages << OutageText(outage, zone);
        add("Sun", "Next sun outages",
            report.pendingOutages ? QStringLiteral("working them out\u2026")
            : outages.isEmpty()   ? QStringLiteral("none in the coming year")
                              : outages.join(u'\n') +
                                    QStringLiteral("\n(within %1 of the dish's direction)").arg(Degrees(f.outageThreshold)));
    }
    if (report.second) SecondSatelliteRows(*report.second, f.visible, add);
    const ObstacleReport& obstacle = report.obstacle;
    if (obstacle.marks == 0) {
        add("Obstacles", "Obstacles",
            QStringLiteral("none marked: mark them on the Sky Chart, or enter them under \"Obstacle marks\""));
    } else {
        const double margin = elevation - obstacle.skyline;
        add("Obstacles", "Obstacles",
            QStringLiteral("%1 mark%2; at the dish's azimuth the skyline stands at %3: %4")
                .arg(obstacle.marks)
                .arg(obstacle.marks == 1 ? QString() : QStringLiteral("s"))
                .arg(Degrees(obstacle.skyline))
                .arg(obstacle.blocked ? QStringLiteral("blocked by %1").arg(Degrees(std::fabs(margin)))
                                      : QStringLiteral("clear by %1").arg(Degrees(margin))));
    }
    add("Time", "Times", QStringLiteral("%1, %2").arg(ZoneText(report.instant, zone), report.zone.how));
    return rows;
}

}  // namespace azimora::shell
