// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "installation/installation_report.h"

#include <QLocale>

#include <cmath>

#include "errors.h"
#include "sky/sun_events.h"
#include "widgets/angle_text.h"

namespace azimora::shell {
namespace {

constexpr int kOutageDaysShown = 12;

QString Degrees(double value, int decimals = 2) { return DegreesText(value, decimals); }
QString Longitude(double west) { return LongitudeText(west, 2); }

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

}  // namespace

InstallationReport BuildInstallationReport(const CheckedSite& checked, const AssistantSettings& settings,
                                           const ObstacleHorizon& obstacles, ReportCaches& caches, const QDateTime& now,
                                           OutageMode mode) {
    InstallationReport report;
    report.offsetAngle = settings.offsetAngle;
    report.instant = static_cast<double>(now.toMSecsSinceEpoch()) / 1000;
    report.missing = checked.missing;
    if (report.missing != MissingInput::Nothing) return report;
    report.site = checked.site;
    if (!report.site) return report;
    ReportRequest request;
    InstallationInputs& inputs = request.installation;
    static_cast<DishSite&>(inputs) = *report.site;
    inputs.instant = report.instant;
    inputs.dishDiameterMetres = settings.dishDiameterMetres;
    inputs.frequencyGHz = settings.frequencyGHz;
    inputs.offsetAngle = settings.offsetAngle;
    request.satelliteName = report.site->satelliteName;
    request.scanTables = caches.scanTables.get();
    if (settings.focalLengthMm > 0) request.focalLengthMm = settings.focalLengthMm;
    if (settings.secondSatelliteWest) {
        request.secondSatelliteLongitudeWest = settings.secondSatelliteWest;
        request.secondSatelliteName = settings.secondSatelliteName.toStdString();
    }
    report.zone = caches.zones.Of(*report.site, settings.timeZone);
    const ZoneDay today = DayOf(inputs.instant, report.zone.zone);
    request.sunDay = std::make_pair(today.start, today.end);
    // The outages take a year of days: searched apart, below, and kept.
    request.outages = OutageRequest::NoneAsked();
    try {
        report.siteReport = BuildSiteReport(request);
    } catch (const Error& error) {
        report.problem = error.what();
        report.site.reset();
        return report;
    }
    report.figures = report.siteReport.figures;

    const double azimuth = static_cast<double>(report.figures.pointing.Azimuth);
    if (report.figures.visible) {
        const DeferredOutageSearch search{DishSiteOf(inputs), report.figures.outageThreshold, today.start};
        if (mode == OutageMode::Wait) caches.outages.Search(search);
        if (const auto outages = caches.outages.Known(search)) {
            for (const SunOutage& outage : *outages) {
                if (outage.end < inputs.instant) continue;
                if (report.nextOutages.size() == kOutageDaysShown) break;
                report.nextOutages.push_back(outage);
            }
        } else {
            report.pendingOutages = search;
        }
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
void SecondSatelliteRows(const ReportWords& words, const Add& add) {
    add("Second satellite", "Second satellite", QString::fromStdString(words.secondSatellite));
    add("Second satellite", "Separation", QString::fromStdString(words.separation));
    add("Second satellite", "Second LNB", QString::fromStdString(words.secondLnb));
    if (!words.secondSkew.empty()) add("Second satellite", "Its LNB skew", QString::fromStdString(words.secondSkew));
    if (!words.monoblock.empty()) add("Second satellite", "Monoblock", QString::fromStdString(words.monoblock));
}

}  // namespace

QList<InstallationRow> InstallationRows(const InstallationReport& report) {
    QList<InstallationRow> rows;
    if (!report.site) return rows;
    const DisplaySite& site = *report.site;
    const InstallationFigures& f = report.figures;
    const QTimeZone& zone = report.zone.zone;
    const ReportWords& words = report.siteReport.words;
    const double elevation = static_cast<double>(f.pointing.Elevation);
    const auto add = [&](const char* section, const char* label, const QString& value) {
        rows.append({QString::fromLatin1(section), QString::fromLatin1(label), value});
    };

    add("Pointing", "Location", QString::fromStdString(site.locationName + " (" + words.site + ")"));
    add("Pointing", "Satellite", QString::fromStdString(words.satellite));
    add("Pointing", "True azimuth", QString::fromStdString(words.azimuth));
    add("Pointing", "Compass bearing",
        QString::fromStdString(words.compassBearing + " (magnetic declination " + words.declination + ")"));
    add("Pointing", "Horizontal field", QString::fromStdString(words.horizontalField));
    add("Pointing", "Magnetic model", QString::fromStdString(words.magneticModel));
    add("Pointing", "Elevation", QString::fromStdString(words.elevation));
    if (!f.visible) {
        add("Mounting", "Out of sight",
            QStringLiteral("nothing to set: no skew, face tilt, motor angle or sun outage for a satellite below the horizon"));
    } else {
        add("Mounting", "LNB skew", QString::fromStdString(words.skew));
        add("Mounting", "Dish face tilt", QString::fromStdString(words.faceTilt));
        add("Mounting", "Motor angle", QString::fromStdString(words.motor));
        QStringList alignments;
        for (const UnixSeconds t : report.siteReport.sunAlignments) alignments << ClockText(t, zone);
        add("Sun", "Sun in the dish's azimuth today",
            alignments.isEmpty() ? QString::fromStdString(words.sunAlignments) : alignments.join(QStringLiteral(", ")));
        QStringList outages;
        for (const SunOutage& outage : report.nextOutages) outages << OutageText(outage, zone);
        add("Sun", "Next sun outages",
            report.pendingOutages ? QStringLiteral("working them out\u2026")
            : outages.isEmpty()   ? QStringLiteral("none in the coming year")
                              : outages.join(u'\n') +
                                    QStringLiteral("\n(within %1 of the dish's direction)").arg(Degrees(f.outageThreshold)));
    }
    if (report.siteReport.second) SecondSatelliteRows(words, add);
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
