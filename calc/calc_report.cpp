// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "calc_report.h"

#include <cmath>
#include <cstdio>

#include "azimora_version.h"
#include "formats/line_of_sight.h"
#include "sky/sun_events.h"
#include "text/json_reader.h"

namespace azimora::calc {
namespace {

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// 114.08 W, 19.2 E: longitudes west positive.
std::string Longitude(double west) { return Fixed(std::fabs(west), 2) + (west < 0 ? " E" : " W"); }
std::string Latitude(double north) { return Fixed(std::fabs(north), 2) + (north < 0 ? " S" : " N"); }
std::string Degrees2(double value) { return Fixed(value, 2) + " deg"; }
// Clockwise from north: what rounds to 360.00 is due north, 0.00.
std::string Bearing2(double value) {
    double turned = std::fmod(value, 360.0);
    if (turned < 0) turned += 360;
    const std::string text = Fixed(turned, 2);
    return (text == "360.00" ? "0.00" : text) + " deg";
}

// "1994-03-23 12:35:19", or the time alone where the log gave no date.
std::string FixWhen(const NmeaFix& fix) { return (fix.date.empty() ? "" : fix.date + " ") + fix.timeOfDay; }

void Row(std::string& out, const std::string& label, const std::string& value) {
    out += label;
    out.append(label.size() < 22 ? 22 - label.size() : 1, ' ');
    out += value;
    out += '\n';
}

std::string OrNull(const std::optional<double>& value) { return value ? NumberText(*value) : "null"; }

// A length of the dish's geometry, worked out from lengths of the size of
// scale: what is left below a billionth of it is rounding (-2.1e-14 mm for
// an LNB straight beside the first), and zero, without a sign.
double Settled(double value, double scale) { return std::fabs(value) < 1e-9 * scale ? 0.0 : value; }

constexpr const char* kOutOfSight = "none: the satellite cannot be seen from this site";

}  // namespace

std::string NumberText(double value) {
    if (!std::isfinite(value)) return "null";
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

std::string JsonString(const std::string& text) { return JsonQuoted(text); }

std::string CompassWarningText(CompassWarning warning) {
    switch (warning) {
        case CompassWarning::Unreliable: return "unreliable";
        case CompassWarning::Caution: return "caution";
        case CompassWarning::None: break;
    }
    return "";
}

std::string CompassWarnings(const InstallationFigures& figures) {
    const std::string field = CompassWarningText(figures.compassWarning);
    if (!field.empty() || figures.magnetic.valid) return field;
    return "outside the magnetic model's years";
}

double BearingNumber(double degrees) { return degrees >= 360 ? degrees - 360 : degrees; }

std::string FaceTiltWords(double tilt) {
    if (std::fabs(tilt) < 0.005) return "the face stands upright";
    return "the face tilted " + Fixed(std::fabs(tilt), 2) +
           (tilt > 0 ? " deg back, looking up" : " deg forward, looking down");
}

SiteReport ComputeSiteReport(const InstallationInputs& inputs, const ZoneTime& zone) {
    SiteReport report;
    report.inputs = inputs;
    report.figures = ComputeInstallation(inputs);
    const DishSite site = DishSiteOf(inputs);
    const double azimuth = static_cast<double>(report.figures.pointing.Azimuth);
    report.sunAlignments = SunAlignmentsBetween(site, azimuth, zone.StartOfDay(inputs.instant),
                                                zone.StartOfNextDay(inputs.instant));
    if (report.figures.visible)
        report.outages = SunOutages(site, report.figures.outageThreshold, zone.StartOfYear(inputs.instant),
                                    zone.StartOfNextYear(inputs.instant));
    return report;
}

void AddSecondSatellite(SiteReport& report, double longitudeWest, std::optional<double> focalLengthMm) {
    const InstallationInputs& inputs = report.inputs;
    const double focal = focalLengthMm ? *focalLengthMm : kDefaultFocalRatio * inputs.dishDiameterMetres * 1000;
    report.second = SecondSatellite{longitudeWest, focal,
                                    ComputeTwoSatelliteDish(inputs.latitude, inputs.longitudeWest,
                                                            inputs.satelliteLongitudeWest, longitudeWest,
                                                            inputs.dishDiameterMetres, focal)};
}

namespace {

void SecondSatelliteRows(std::string& out, const SiteReport& report) {
    const SecondSatellite& second = *report.second;
    const TwoSatelliteDish& dish = second.dish;
    Row(out, "Second satellite", Longitude(second.longitudeWest));
    Row(out, "  Separation", Degrees2(dish.separation) + " between the lines of sight (" +
                                 Fixed(dish.orbitalSpacing, 2) + " deg apart in orbit)");
    if (!dish.secondVisible || !report.figures.visible) {
        Row(out, "  Second LNB", report.figures.visible ? "none: the second satellite cannot be seen from this site"
                                                        : kOutOfSight);
        return;
    }
    if (!dish.beyondReach.empty()) {
        Row(out, "  Second LNB", "none: " + dish.beyondReach);
        return;
    }
    const auto side = [&](double value, const char* positive, const char* negative) {
        value = Settled(value, second.focalLengthMm);
        return Fixed(std::fabs(value), 1) + " mm " + (value >= 0 ? positive : negative);
    };
    Row(out, "  Second LNB", Fixed(dish.lnbOffsetMm, 1) + " mm from the first: " +
                                 side(dish.lnbRightMm, "right", "left") + ", " + side(dish.lnbUpMm, "up", "down") +
                                 ", seen from behind the dish (focal length " + Fixed(second.focalLengthMm, 0) + " mm)");
    Row(out, "  Its skew", dish.secondSkew ? Degrees2(*dish.secondSkew) + (*dish.secondSkew >= 0 ? " (clockwise" :
                                                                                                " (counter-clockwise") +
                                                 ", seen from behind the dish)"
                                           : "none to set: it stands straight overhead");
    const auto monoblock = FittingMonoblock(dish);
    Row(out, "  Monoblock", monoblock ? "a " + NumberText(*monoblock) + " deg monoblock fits"
                                      : "no monoblock fits (4.3 or 6 deg): use a multifeed holder");
}

}  // namespace

std::string MapReport(const SiteReport& report, bool kml, double lengthMetres) {
    const InstallationInputs& inputs = report.inputs;
    const InstallationFigures& figures = report.figures;
    LineOfSight line;
    line.siteName = report.gpsFix ? "GPS fix of " + FixWhen(*report.gpsFix) + " UTC"
                                  : Latitude(inputs.latitude) + ", " + Longitude(inputs.longitudeWest);
    line.satelliteName = Longitude(inputs.satelliteLongitudeWest);
    line.latitude = inputs.latitude;
    line.longitudeWest = inputs.longitudeWest;
    line.azimuth = static_cast<double>(figures.pointing.Azimuth);
    line.elevation = figures.visible ? static_cast<double>(figures.pointing.Elevation) : -1;
    line.lengthMetres = lengthMetres;
    if (report.gpsFix) line.dishAltitudeMetres = report.gpsFix->altitudeMetres;
    line.figures = {{"Satellite", line.satelliteName},
                    {"Azimuth (true)", Bearing2(line.azimuth)},
                    {"Elevation", Degrees2(line.elevation)},
                    {"Compass bearing", Bearing2(figures.compassBearing)}};
    if (figures.skew)
        line.figures.emplace_back("LNB skew", Degrees2(std::fabs(*figures.skew)) +
                                                  (*figures.skew >= 0 ? " clockwise" : " counter-clockwise") +
                                                  ", seen from behind the dish");
    return kml ? LineOfSightKml(line) : LineOfSightGeoJson(line);
}

std::string PlainReport(const SiteReport& report, const ZoneTime& zone) {
    const InstallationInputs& inputs = report.inputs;
    const InstallationFigures& figures = report.figures;
    std::string out;
    const double elevation = static_cast<double>(figures.pointing.Elevation);
    Row(out, "Site", Latitude(inputs.latitude) + ", " + Longitude(inputs.longitudeWest) +
                         (report.gpsFix ? " (GPS fix of " + FixWhen(*report.gpsFix) + " UTC, line " +
                                              std::to_string(report.gpsFix->line) + ")"
                                        : ""));
    Row(out, "Satellite", Longitude(inputs.satelliteLongitudeWest));
    Row(out, "Date", zone.Date(inputs.instant) + (zone.IsUtc() ? " (UTC)" : ""));
    if (report.siteZone) Row(out, "Time zone", SiteZoneWords(*report.siteZone));
    Row(out, "Azimuth (true)", Bearing2(static_cast<double>(figures.pointing.Azimuth)));
    Row(out, "Elevation", figures.visible ? Degrees2(elevation)
                                          : Degrees2(elevation) + " (below the horizon: it cannot be seen from this site)");
    const double declination = figures.magnetic.declination;
    Row(out, "Compass bearing",
        Bearing2(figures.compassBearing) + " (declination " + Fixed(std::fabs(declination), 2) +
            (declination < 0 ? " W" : " E") + ", " + figures.magnetic.model +
            (figures.magnetic.valid ? ")" : ", outside its years)"));
    std::string field = Fixed(figures.horizontalFieldNt, 0) + " nT";
    if (figures.compassWarning == CompassWarning::Unreliable)
        field += " (under 2000 nT: a compass is unreliable here; use the sun or a landmark)";
    if (figures.compassWarning == CompassWarning::Caution) field += " (under 6000 nT: use a compass with caution)";
    Row(out, "Horizontal field", field);
    if (!figures.visible) {
        Row(out, "LNB skew", kOutOfSight);
    } else if (!figures.skew) {
        Row(out, "LNB skew", "none to set: the satellite stands straight overhead");
    } else {
        Row(out, "LNB skew", Degrees2(*figures.skew) + (*figures.skew >= 0 ? " (clockwise" : " (counter-clockwise") +
                                 ", seen from behind the dish)");
    }
    if (figures.dishTilt) {
        Row(out, "Dish face tilt", Degrees2(*figures.dishTilt) + " (" + FaceTiltWords(*figures.dishTilt) + "; offset " +
                                       Fixed(inputs.offsetAngle, 1) + " deg)");
    } else {
        Row(out, "Dish face tilt", kOutOfSight);
    }
    if (figures.motor) {
        Row(out, "Motor angle",
            Fixed(std::fabs(figures.motor->motorAngle), 2) + (figures.motor->motorAngle < 0 ? " deg E" : " deg W") +
                " (declination offset " + Fixed(figures.motor->declinationOffset, 2) + " deg)");
    } else {
        Row(out, "Motor angle", kOutOfSight);
    }
    if (report.second) SecondSatelliteRows(out, report);
    std::string alignments;
    for (const UnixSeconds t : report.sunAlignments) alignments += (alignments.empty() ? "" : ", ") + zone.TimeOfDay(t);
    Row(out, "Sun in the azimuth", alignments.empty() ? "not today" : alignments);
    if (!figures.visible) {
        Row(out, "Sun outages", kOutOfSight);
        return out;
    }
    Row(out, "Sun outages", report.outages.empty()
                                ? "none this year"
                                : std::to_string(report.outages.size()) + " days this year, within " +
                                      Fixed(figures.outageThreshold, 2) + " deg");
    for (const SunOutage& outage : report.outages)
        Row(out, "", zone.Date(outage.start) + " " + zone.TimeOfDay(outage.start) + " to " + zone.TimeOfDay(outage.end) +
                         ", peak " + zone.TimeOfDay(outage.peak));
    return out;
}

std::string JsonReport(const SiteReport& report, const ZoneTime& zone, const std::string& prefix) {
    const InstallationFigures& figures = report.figures;
    std::string out = "{" + prefix;
    const auto field = [&](const char* name, const std::string& value) {
        if (out.size() > 1) out += ", ";
        out += std::string("\"") + name + "\": " + value;
    };
    const auto list = [](const auto& items, const auto& text) {
        std::string joined = "[";
        for (const auto& item : items) joined += (joined.size() > 1 ? ", " : "") + text(item);
        return joined + "]";
    };
    const auto time = [&](UnixSeconds t) { return JsonString(zone.Iso(t)); };
    field("azimuth", NumberText(BearingNumber(static_cast<double>(figures.pointing.Azimuth))));
    field("elevation", NumberText(static_cast<double>(figures.pointing.Elevation)));
    field("azimuth_text", JsonString(figures.azimuthText));
    field("elevation_text", JsonString(figures.elevationText));
    field("visible", figures.visible ? "true" : "false");
    field("declination", NumberText(figures.magnetic.declination));
    field("compass_bearing", NumberText(BearingNumber(figures.compassBearing)));
    field("horizontal_field_nt", NumberText(figures.horizontalFieldNt));
    const std::string warning = CompassWarnings(figures);
    field("compass_warning", warning.empty() ? "null" : JsonString(warning));
    field("magnetic_model", JsonString(figures.magnetic.model));
    field("magnetic_model_valid", figures.magnetic.valid ? "true" : "false");
    field("skew", OrNull(figures.skew));
    field("motor_angle", figures.motor ? NumberText(figures.motor->motorAngle) : "null");
    field("motor_declination_offset", figures.motor ? NumberText(figures.motor->declinationOffset) : "null");
    field("dish_tilt", OrNull(figures.dishTilt));
    field("sun_alignments", list(report.sunAlignments, time));
    field("sun_outages", list(report.outages, [&](const SunOutage& o) {
              return "{\"start\": " + time(o.start) + ", \"peak\": " + time(o.peak) + ", \"end\": " + time(o.end) + "}";
          }));
    field("outage_threshold", NumberText(figures.outageThreshold));
    if (report.second) {
        const TwoSatelliteDish& dish = report.second->dish;
        const bool placed = dish.secondVisible && figures.visible && dish.beyondReach.empty();
        const auto monoblock = FittingMonoblock(dish);
        const double focal = report.second->focalLengthMm;
        field("second_satellite",
              "{\"sat_lon\": " + NumberText(report.second->longitudeWest) + ", \"separation\": " +
                  NumberText(dish.separation) + ", \"lnb_right_mm\": " +
                  (placed ? NumberText(Settled(dish.lnbRightMm, focal)) : "null") + ", \"lnb_up_mm\": " +
                  (placed ? NumberText(Settled(dish.lnbUpMm, focal)) : "null") + ", \"lnb_offset_mm\": " +
                  (placed ? NumberText(dish.lnbOffsetMm) : "null") + ", \"focal_mm\": " +
                  NumberText(report.second->focalLengthMm) + ", \"visible\": " + (dish.secondVisible ? "true" : "false") +
                  ", \"skew\": " + OrNull(dish.secondSkew) + ", \"monoblock\": " +
                  (monoblock ? NumberText(*monoblock) : "null") + "}");
        field("second_satellite_warning", dish.beyondReach.empty() ? "null" : JsonString(dish.beyondReach));
    } else {
        field("second_satellite", "null");
    }
    if (report.gpsFix) {
        const NmeaFix& fix = *report.gpsFix;
        field("gps_fix", "{\"lat\": " + NumberText(fix.latitude) + ", \"lon\": " + NumberText(fix.longitudeWest) +
                             ", \"altitude_m\": " + OrNull(fix.altitudeMetres) + ", \"ellipsoid_height_m\": " +
                             OrNull(fix.ellipsoidHeightMetres) + ", \"time\": " + JsonString(fix.timeOfDay) +
                             ", \"date\": " + (fix.date.empty() ? std::string("null") : JsonString(fix.date)) +
                             ", \"sentence\": " + JsonString(fix.sentence) + ", \"line\": " + std::to_string(fix.line) +
                             "}");
    }
    if (report.siteZone) {
        field("time_zone", JsonString(report.siteZone->name));
        field("time_zone_source", JsonString(report.siteZone->atSea ? "sea" : "boundary"));
    }
    field("version", JsonString(kVersion));
    // Keys are only ever added within a format; a change of meaning raises it.
    field("format", "1");
    return out + "}";
}

}  // namespace azimora::calc
