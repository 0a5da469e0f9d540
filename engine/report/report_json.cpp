// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "report/report_json.h"

#include <cmath>

#include "azimora_version.h"
#include "text/json_reader.h"

namespace azimora {
namespace {

std::string OrNull(const std::optional<double>& value) { return value ? JsonNumber(*value) : "null"; }
std::string Text(const std::string& text) { return JsonQuoted(text); }

// A length of the dish's geometry, worked out from lengths of the size of
// scale: what is left below a billionth of it is rounding (-2.1e-14 mm for
// an LNB straight beside the first), and zero, without a sign.
double Settled(double value, double scale) { return std::fabs(value) < 1e-9 * scale ? 0.0 : value; }

const char* PolarisationName(Polarisation polarisation) {
    switch (polarisation) {
        case Polarisation::Linear: return "\"linear\"";
        case Polarisation::Circular: return "\"circular\"";
        case Polarisation::Mixed: return "\"mixed\"";
        case Polarisation::Unknown: break;
    }
    return "null";
}

std::string SecondJson(const SecondSatelliteReport& second) {
    const TwoSatelliteDish& dish = second.dish;
    const bool placed = second.lnbPlaced;
    const double focal = second.focalLengthMm;
    const auto monoblock = FittingMonoblock(dish);
    return "{\"sat_lon\": " + JsonNumber(second.longitudeWest) + ", \"separation\": " + JsonNumber(dish.separation) +
           ", \"lnb_right_mm\": " + (placed ? JsonNumber(Settled(dish.lnbRightMm, focal)) : "null") +
           ", \"lnb_up_mm\": " + (placed ? JsonNumber(Settled(dish.lnbUpMm, focal)) : "null") +
           ", \"lnb_offset_mm\": " + (placed ? JsonNumber(dish.lnbOffsetMm) : "null") + ", \"focal_mm\": " +
           JsonNumber(focal) + ", \"visible\": " + (dish.secondVisible ? "true" : "false") + ", \"skew\": " +
           OrNull(dish.secondSkew) + ", \"monoblock\": " + (monoblock ? JsonNumber(*monoblock) : "null") + "}";
}

std::string WordsJson(const ReportWords& w) {
    std::string out = "{";
    for (const auto& [key, text] :
         {std::pair{"site", &w.site}, {"satellite", &w.satellite}, {"azimuth", &w.azimuth},
          {"compass_bearing", &w.compassBearing}, {"declination", &w.declination}, {"elevation", &w.elevation},
          {"visibility", &w.visibility}, {"skew", &w.skew}, {"face_tilt", &w.faceTilt}, {"motor", &w.motor},
          {"horizontal_field", &w.horizontalField}, {"compass_warning", &w.compassWarning},
          {"magnetic_model", &w.magneticModel}, {"sun_alignments", &w.sunAlignments}, {"outages", &w.outages},
          {"second_satellite", &w.secondSatellite}, {"separation", &w.separation}, {"second_lnb", &w.secondLnb},
          {"second_skew", &w.secondSkew}, {"monoblock", &w.monoblock}})
        out += (out.size() > 1 ? ", \"" : "\"") + std::string(key) + "\": " + Text(*text);
    return out + "}";
}

}  // namespace

std::string ReportJson(const SiteReport& report, const InstantText& instantText, const std::string& prefix,
                       const std::string& extra) {
    const InstallationFigures& f = report.figures;
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
    const auto time = [&](UnixSeconds t) { return Text(instantText(t)); };
    field("azimuth", JsonNumber(BearingNumber(static_cast<double>(f.pointing.Azimuth))));
    field("elevation", JsonNumber(static_cast<double>(f.pointing.Elevation)));
    field("azimuth_text", Text(f.azimuthText));
    field("elevation_text", Text(f.elevationText));
    field("visible", f.visible ? "true" : "false");
    field("declination", JsonNumber(f.magnetic.declination));
    field("compass_bearing", JsonNumber(BearingNumber(f.compassBearing)));
    field("horizontal_field_nt", JsonNumber(f.horizontalFieldNt));
    const std::string warning = CompassWarningKeyword(f);
    field("compass_warning", warning.empty() ? "null" : Text(warning));
    field("magnetic_model", Text(f.magnetic.model));
    field("magnetic_model_valid", f.magnetic.valid ? "true" : "false");
    field("skew", OrNull(f.skew));
    field("motor_angle", f.motor ? JsonNumber(f.motor->motorAngle) : "null");
    field("motor_declination_offset", f.motor ? JsonNumber(f.motor->declinationOffset) : "null");
    field("dish_tilt", OrNull(f.dishTilt));
    field("sun_alignments", list(report.sunAlignments, time));
    field("sun_outages", list(report.outages, [&](const SunOutage& o) {
              return "{\"start\": " + time(o.start) + ", \"peak\": " + time(o.peak) + ", \"end\": " + time(o.end) + "}";
          }));
    field("outage_threshold", JsonNumber(f.outageThreshold));
    field("second_satellite", report.second ? SecondJson(*report.second) : "null");
    if (report.second)
        field("second_satellite_warning",
              report.second->dish.beyondReach.empty() ? "null" : Text(report.second->dish.beyondReach));
    if (!extra.empty()) out += ", " + extra;
    field("polarisation", PolarisationName(report.polarisation.ofSatellite));
    field("words", WordsJson(report.words));
    field("version", Text(kVersion));
    // Keys are only ever added within a format; a change of meaning raises it.
    field("format", "1");
    return out + "}";
}

}  // namespace azimora
