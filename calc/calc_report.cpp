// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "calc_report.h"

#include <cmath>
#include <cstdio>

namespace azimora::calc {
namespace {

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// 114.08 W, 19.2 E: longitudes west positive.
std::string Longitude(double west) { return Fixed(std::fabs(west), 2) + (west < 0 ? " E" : " W"); }
std::string Latitude(double north) { return Fixed(std::fabs(north), 2) + (north < 0 ? " S" : " N"); }
std::string Degrees2(double value) { return Fixed(value, 2) + " deg"; }

// "HH:MM:SS" of an instant's ISO text.
std::string TimeOfDay(UnixSeconds instant) { return IsoUtc(instant).substr(11, 8); }

void Row(std::string& out, const std::string& label, const std::string& value) {
    out += label;
    out.append(label.size() < 22 ? 22 - label.size() : 1, ' ');
    out += value;
    out += '\n';
}

}  // namespace

std::string NumberText(double value) {
    if (!std::isfinite(value)) return "null";
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

std::string PlainReport(const InstallationInputs& inputs, const InstallationFigures& figures,
                        const std::vector<SunOutage>& outages) {
    std::string out;
    const double elevation = static_cast<double>(figures.pointing.Elevation);
    Row(out, "Site", Latitude(inputs.latitude) + ", " + Longitude(inputs.longitudeWest));
    Row(out, "Satellite", Longitude(inputs.satelliteLongitudeWest));
    Row(out, "Date", IsoUtc(inputs.instant).substr(0, 10));
    Row(out, "Azimuth (true)", Degrees2(static_cast<double>(figures.pointing.Azimuth)));
    Row(out, "Elevation", elevation > kHorizonThreshold ? Degrees2(elevation) : Degrees2(elevation) + " (below the horizon)");
    const double declination = figures.magnetic.declination;
    Row(out, "Compass bearing",
        Degrees2(figures.compassBearing) + " (declination " + Fixed(std::fabs(declination), 2) +
            (declination < 0 ? " W" : " E") + ", " + figures.magnetic.model +
            (figures.magnetic.valid ? ")" : ", outside its years)"));
    Row(out, "LNB skew",
        Degrees2(figures.skew) + (figures.skew >= 0 ? " (clockwise" : " (counter-clockwise") +
            ", seen from behind the dish)");
    Row(out, "Dish face tilt", Degrees2(figures.dishTilt) + " (offset " + Fixed(inputs.offsetAngle, 1) + " deg)");
    Row(out, "Motor angle",
        Fixed(std::fabs(figures.motor.motorAngle), 2) + (figures.motor.motorAngle < 0 ? " deg E" : " deg W") +
            " (declination offset " + Fixed(figures.motor.declinationOffset, 2) + " deg)");
    std::string alignments;
    for (const UnixSeconds t : figures.sunAlignments) alignments += (alignments.empty() ? "" : ", ") + TimeOfDay(t) + " UTC";
    Row(out, "Sun in the azimuth", alignments.empty() ? "not today" : alignments);
    Row(out, "Sun outages", outages.empty() ? "none this year" : std::to_string(outages.size()) + " days this year, within " +
                                                                     Fixed(figures.outageThreshold, 2) + " deg");
    for (const SunOutage& outage : outages)
        Row(out, "", IsoUtc(outage.start).substr(0, 10) + " " + TimeOfDay(outage.start) + " to " + TimeOfDay(outage.end) +
                         " UTC, peak " + TimeOfDay(outage.peak));
    return out;
}

std::string JsonReport(const InstallationFigures& figures, const std::vector<SunOutage>& outages) {
    std::string out;
    const auto field = [&](const char* name, const std::string& value) {
        out += out.empty() ? "{" : ", ";
        out += std::string("\"") + name + "\": " + value;
    };
    const auto list = [](const auto& items, const auto& text) {
        std::string joined = "[";
        for (const auto& item : items) joined += (joined.size() > 1 ? ", " : "") + text(item);
        return joined + "]";
    };
    field("azimuth", NumberText(static_cast<double>(figures.pointing.Azimuth)));
    field("elevation", NumberText(static_cast<double>(figures.pointing.Elevation)));
    field("azimuth_text", JsonString(figures.azimuthText));
    field("elevation_text", JsonString(figures.elevationText));
    field("declination", NumberText(figures.magnetic.declination));
    field("compass_bearing", NumberText(figures.compassBearing));
    field("magnetic_model", JsonString(figures.magnetic.model));
    field("magnetic_model_valid", figures.magnetic.valid ? "true" : "false");
    field("skew", NumberText(figures.skew));
    field("motor_angle", NumberText(figures.motor.motorAngle));
    field("motor_declination_offset", NumberText(figures.motor.declinationOffset));
    field("dish_tilt", NumberText(figures.dishTilt));
    field("sun_alignments", list(figures.sunAlignments, [](UnixSeconds t) { return JsonString(IsoUtc(t)); }));
    field("sun_outages", list(outages, [](const SunOutage& o) {
              return "{\"start\": " + JsonString(IsoUtc(o.start)) + ", \"peak\": " + JsonString(IsoUtc(o.peak)) +
                     ", \"end\": " + JsonString(IsoUtc(o.end)) + "}";
          }));
    field("outage_threshold", NumberText(figures.outageThreshold));
    return out + "}\n";
}

}  // namespace azimora::calc
