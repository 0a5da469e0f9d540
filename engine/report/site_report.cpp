// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "report/site_report.h"

#include "report/input_rules.h"

namespace azimora {
namespace {

void CheckInputs(const ReportRequest& request) {
    const InstallationInputs& in = request.installation;
    using enum InputField;
    for (const auto& [field, value] : {std::pair{Latitude, in.latitude}, std::pair{Longitude, in.longitudeWest},
                                       std::pair{SatelliteLongitude, in.satelliteLongitudeWest},
                                       std::pair{DishDiameter, in.dishDiameterMetres}, std::pair{Frequency, in.frequencyGHz},
                                       std::pair{OffsetAngle, in.offsetAngle}, std::pair{Height, in.altitudeKm}})
        CheckInput(InputRuleOf(field), value);
    if (request.focalLengthMm) CheckInput(InputRuleOf(FocalLength), *request.focalLengthMm);
    if (request.secondSatelliteLongitudeWest)
        CheckInput(InputRuleOf(SecondSatelliteLongitude), *request.secondSatelliteLongitudeWest);
}

// The outages asked for; an outage under way at the instant is the next.
std::vector<SunOutage> FindOutages(const DishSite& site, double threshold, UnixSeconds instant,
                                   const OutageRequest& asked) {
    using Scope = OutageRequest::Scope;
    if (asked.scope == Scope::None) return {};
    if (asked.scope == Scope::Between) return SunOutages(site, threshold, asked.from, asked.to);
    const std::size_t wanted = asked.scope == Scope::Next ? 1 : static_cast<std::size_t>(std::max(asked.days, 0));
    const UnixSeconds end = instant + kOutageSearchDays * kSecondsPerDay;
    std::vector<SunOutage> found;
    UnixSeconds from = instant - kSecondsPerDay;
    while (found.size() < wanted) {
        const auto next = NextSunOutage(site, threshold, from, end);
        if (!next) break;
        if (next->end >= instant) found.push_back(*next);
        from = next->end;
    }
    return found;
}

std::string OutageWords(const SiteReport& report) {
    using Scope = OutageRequest::Scope;
    const Scope scope = report.outagesAsked.scope;
    if (scope == Scope::None) return {};
    if (!report.figures.visible) return kOutOfSightWords;
    const std::string within = "within " + DegreesText(report.figures.outageThreshold, 2) + " of the dish's direction";
    if (scope == Scope::Between)
        return report.outages.empty() ? "none this year"
                                      : std::to_string(report.outages.size()) + " days this year, " + within;
    return report.outages.empty() ? "none in the coming year" : within;
}

ReportWords WordsOf(const SiteReport& report, const ReportRequest& request) {
    const InstallationInputs& in = report.inputs;
    const InstallationFigures& f = report.figures;
    ReportWords words;
    words.site = LatitudeText(in.latitude, 2) + ", " + LongitudeText(in.longitudeWest, 2);
    words.satellite = SatelliteWords(report.satelliteName, in.satelliteLongitudeWest);
    words.azimuth = BearingText(static_cast<double>(f.pointing.Azimuth), 2);
    words.compassBearing = BearingText(f.compassBearing, 2);
    words.declination = SidedDegreesText(f.magnetic.declination, 2, "E", "W");
    const std::string elevation = DegreesText(static_cast<double>(f.pointing.Elevation), 2);
    words.elevation = f.visible ? elevation : elevation + ": " + kBelowHorizonWords;
    words.visibility = f.visible ? "" : kBelowHorizonWords;
    words.skew = SkewWords(f.skew, f.visible, report.polarisation);
    words.faceTilt = FaceTiltWords(f.dishTilt, in.offsetAngle);
    words.motor = MotorWords(f.motor);
    words.compassWarning = CompassWarningWords(f.compassWarning);
    words.horizontalField = HorizontalFieldWords(f.horizontalFieldNt, f.compassWarning);
    words.magneticModel = MagneticModelWords(f.magnetic);
    if (!f.visible)
        words.sunAlignments = kOutOfSightWords;
    else if (request.sunDay && report.sunAlignments.empty())
        words.sunAlignments = "none while the sun is up";
    words.outages = OutageWords(report);
    if (report.second) {
        const SecondSatelliteReport& second = *report.second;
        SecondSatelliteWords made =
            SecondWords(second.name, second.longitudeWest, second.focalLengthMm, second.dish, f.visible);
        words.secondSatellite = std::move(made.satellite);
        words.separation = std::move(made.separation);
        words.secondLnb = std::move(made.lnb);
        words.secondSkew = std::move(made.skew);
        words.monoblock = std::move(made.monoblock);
    }
    return words;
}

}  // namespace

SiteReport BuildSiteReport(const ReportRequest& request) {
    CheckInputs(request);
    const InstallationInputs& in = request.installation;
    SiteReport report;
    report.inputs = in;
    report.satelliteName = request.satelliteName;
    report.figures = ComputeInstallation(in);
    if (request.scanTables != nullptr)
        report.polarisation = PolarisationOf(*request.scanTables, request.satelliteName, in.satelliteLongitudeWest);
    report.outagesAsked = request.outages;
    const DishSite site = DishSiteOf(in);
    if (report.figures.visible) {
        if (request.sunDay)
            report.sunAlignments = SunAlignmentsBetween(site, static_cast<double>(report.figures.pointing.Azimuth),
                                                        request.sunDay->first, request.sunDay->second);
        report.outages = FindOutages(site, report.figures.outageThreshold, in.instant, request.outages);
    }
    if (request.secondSatelliteLongitudeWest) {
        SecondSatelliteReport second;
        second.longitudeWest = *request.secondSatelliteLongitudeWest;
        second.name = request.secondSatelliteName;
        second.focalLengthMm = request.focalLengthMm.value_or(kDefaultFocalRatio * in.dishDiameterMetres * 1000);
        second.dish = ComputeTwoSatelliteDish(in.latitude, in.longitudeWest, in.satelliteLongitudeWest,
                                              second.longitudeWest, in.dishDiameterMetres, second.focalLengthMm);
        second.lnbPlaced = report.figures.visible && second.dish.secondVisible && second.dish.beyondReach.empty();
        report.second = std::move(second);
    }
    report.words = WordsOf(report, request);
    return report;
}

}  // namespace azimora
