// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "assistant/installation_report.h"

#include <cmath>

#include "errors.h"
#include "sky/sun_events.h"
#include "widgets/angle_text.h"

namespace azimora::shell {
namespace {

constexpr int kOutageDaysShown = 12;

QString Degrees(double value, int decimals = 2) { return DegreesText(value, decimals); }
QString Longitude(double west) { return LongitudeText(west, 2); }
QString Latitude(double north) { return LatitudeText(north, 2); }

QDateTime Local(UnixSeconds instant) {
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::llround(instant * 1000)), Qt::LocalTime);
}

QString LocalTime(UnixSeconds instant) { return Local(instant).toString(QStringLiteral("HH:mm:ss")); }

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
                                           const QDateTime& now) {
    InstallationReport report;
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
    report.figures = ComputeInstallation(inputs);
    report.polarisation = PolarisationAt(KnownScanTables(), inputs.satelliteLongitudeWest);

    const QDateTime localMidnight = now.toLocalTime().date().startOfDay();
    const UnixSeconds dayStart = static_cast<double>(localMidnight.toSecsSinceEpoch());
    const UnixSeconds dayEnd = static_cast<double>(localMidnight.addDays(1).toSecsSinceEpoch());
    const DishSite site = DishSiteOf(inputs);
    report.todaysAlignments =
        SunAlignmentsBetween(site, static_cast<double>(report.figures.pointing.Azimuth), dayStart, dayEnd);
    report.nextOutages = SunOutages(site, report.figures.outageThreshold, inputs.instant, inputs.instant + 366 * kSecondsPerDay);
    if (report.nextOutages.size() > kOutageDaysShown) report.nextOutages.resize(kOutageDaysShown);
    report.obstacle = CheckObstacle(static_cast<double>(report.figures.pointing.Elevation), settings.obstacleHeightMetres,
                                    settings.obstacleDistanceMetres);
    return report;
}

QList<InstallationRow> InstallationRows(const InstallationReport& report, const AssistantSettings& settings) {
    QList<InstallationRow> rows;
    if (!report.site) return rows;
    const DisplaySite& site = *report.site;
    const InstallationFigures& f = report.figures;
    const double azimuth = static_cast<double>(f.pointing.Azimuth);
    const double elevation = static_cast<double>(f.pointing.Elevation);
    const double declination = f.magnetic.declination;

    rows.append({QStringLiteral("Pointing"), QStringLiteral("Location"), QString::fromStdString(site.locationName) + QStringLiteral(" (") +
                                                 Latitude(site.latitude) + QStringLiteral(", ") +
                                                 Longitude(site.longitudeWest) + u')'});
    rows.append({QStringLiteral("Pointing"), QStringLiteral("Satellite"),
                 QString::fromStdString(site.satelliteName) + QStringLiteral(" (") + Longitude(site.satelliteLongitudeWest) + u')'});
    rows.append({QStringLiteral("Pointing"), QStringLiteral("True azimuth"), Degrees(azimuth)});
    rows.append({QStringLiteral("Pointing"), QStringLiteral("Compass bearing"),
                 Degrees(f.compassBearing) + QStringLiteral(" (magnetic declination %1 %2)")
                                                 .arg(Degrees(std::fabs(declination)), declination < 0 ? QStringLiteral("W")
                                                                                                        : QStringLiteral("E"))});
    rows.append({QStringLiteral("Pointing"), QStringLiteral("Magnetic model"),
                 QString::fromStdString(f.magnetic.model) +
                     (f.magnetic.valid ? QStringLiteral(", valid 2025.0 to 2030.0")
                                       : QStringLiteral(", outside its validity (2025.0 to 2030.0): bearing approximate"))});
    rows.append({QStringLiteral("Pointing"), QStringLiteral("Elevation"),
                 elevation > kHorizonThreshold ? Degrees(elevation) : Degrees(elevation) + QStringLiteral(" (below the horizon)")});
    rows.append({QStringLiteral("Mounting"), QStringLiteral("LNB skew"), SkewInWords(f.skew, report.polarisation)});
    rows.append({QStringLiteral("Mounting"), QStringLiteral("Dish face tilt"),
                 Degrees(f.dishTilt) + QStringLiteral(" on an inclinometer, for an offset of %1").arg(Degrees(settings.offsetAngle, 1))});
    rows.append({QStringLiteral("Mounting"), QStringLiteral("Motor angle"),
                 Degrees(std::fabs(f.motor.motorAngle)) +
                     (f.motor.motorAngle < 0 ? QStringLiteral(" east") : QStringLiteral(" west")) +
                     QStringLiteral(" of centre; declination offset %1").arg(Degrees(f.motor.declinationOffset))});
    QStringList alignments;
    for (const UnixSeconds t : report.todaysAlignments) alignments << LocalTime(t);
    rows.append({QStringLiteral("Sun"), QStringLiteral("Sun in the dish's azimuth today"),
                 alignments.isEmpty() ? QStringLiteral("not while the sun is up") : alignments.join(QStringLiteral(", "))});
    QStringList outages;
    for (const SunOutage& outage : report.nextOutages) {
        outages << Local(outage.peak).toString(QStringLiteral("ddd d MMM yyyy")) + u' ' + LocalTime(outage.start) +
                       QStringLiteral(" to ") + LocalTime(outage.end);
    }
    rows.append({QStringLiteral("Sun"), QStringLiteral("Next sun outages"),
                 outages.isEmpty() ? QStringLiteral("none in the coming year")
                                   : outages.join(u'\n') + QStringLiteral("\n(within %1 of the dish's direction)")
                                                               .arg(Degrees(f.outageThreshold))});
    const ObstacleCheck& obstacle = report.obstacle;
    if (settings.obstacleHeightMetres <= 0) {
        rows.append({QStringLiteral("Obstacle"), QStringLiteral("Obstacle"),
                     QStringLiteral("none entered: give its height above the dish and its distance below")});
        return rows;
    }
    rows.append({QStringLiteral("Obstacle"), QStringLiteral("Obstacle"),
                 (obstacle.clear ? QStringLiteral("clear by %1") : QStringLiteral("blocked by %1"))
                         .arg(Degrees(std::fabs(obstacle.margin))) +
                     QStringLiteral(" (its top %1 above the dish's horizon)").arg(Degrees(obstacle.obstacleElevation))});
    return rows;
}

}  // namespace azimora::shell
