// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "formats/nmea.h"
#include "geometry/two_satellite_dish.h"
#include "installation.h"
#include "zone_time.h"

// What azimora-calc prints for one site: a short table for a person, or one
// JSON object for a program. Times in the zone asked for (UTC by default).
namespace azimora::calc {

// The figures of one site as azimora-calc shows them: those of the engine,
// with the sun's moments of the zone's day and the outages of its year.
struct SecondSatellite {
    double longitudeWest = 0;
    double focalLengthMm = 0;
    TwoSatelliteDish dish;
};

struct SiteReport {
    InstallationInputs inputs;
    InstallationFigures figures;
    std::vector<UnixSeconds> sunAlignments;  // the zone's day of the instant
    std::vector<SunOutage> outages;          // the zone's year of the instant
    std::optional<SecondSatellite> second;
    std::optional<NmeaFix> gpsFix;           // where the site came from, with --nmea
    std::optional<SiteZoneTime> siteZone;    // --tz site: the zone the site keeps
};

// Throws what ComputeInstallation throws.
[[nodiscard]] SiteReport ComputeSiteReport(const InstallationInputs& inputs, const ZoneTime& zone);

// The second satellite on the same dish; the focal length 0.6 D by default.
void AddSecondSatellite(SiteReport& report, double longitudeWest, std::optional<double> focalLengthMm);

// The line of sight of the report for a map program.
[[nodiscard]] std::string MapReport(const SiteReport& report, bool kml, double lengthMetres);

[[nodiscard]] std::string PlainReport(const SiteReport& report, const ZoneTime& zone);

// The keys, in this order: azimuth, elevation, azimuth_text, elevation_text,
// visible, declination, compass_bearing, horizontal_field_nt,
// compass_warning, magnetic_model, magnetic_model_valid, skew, motor_angle,
// motor_declination_offset, dish_tilt, sun_alignments, sun_outages,
// outage_threshold, second_satellite (null without one; else sat_lon,
// separation, lnb_right_mm, lnb_up_mm, lnb_offset_mm, focal_mm, visible,
// skew, monoblock) and with one second_satellite_warning (why no second
// LNB serves the pair, or null), version; gps_fix with --nmea; time_zone and
// time_zone_source ("boundary" or "sea") with --tz site, before version. Angles in degrees, 15 significant digits;
// null where a figure means nothing (a satellite out of sight, straight
// overhead). prefix: keys that go first (the batch's name and site).
[[nodiscard]] std::string JsonReport(const SiteReport& report, const ZoneTime& zone, const std::string& prefix = {});

// A number for JSON or CSV: up to 15 significant digits, '.' as the point;
// "null" for what is not a finite number.
[[nodiscard]] std::string NumberText(double value);
[[nodiscard]] std::string JsonString(const std::string& text);

// Words of the figures that need them.
[[nodiscard]] std::string CompassWarningText(CompassWarning warning);  // "unreliable", "caution", ""
// What makes a compass bearing doubtful: the weak field's word, else
// "outside the magnetic model's years" for a date the model does not cover
// (magnetic_model_valid tells that apart); empty when nothing does. One
// word at a time, so that a program that compares it with "unreliable" or
// "caution" still finds those.
[[nodiscard]] std::string CompassWarnings(const InstallationFigures& figures);
// A bearing as a number for a program: due north is 0, not 360 (the
// window's azimuth text keeps its 360).
[[nodiscard]] double BearingNumber(double degrees);
[[nodiscard]] std::string FaceTiltWords(double tilt);                   // "tilted 9.92 deg forward, ..."

}  // namespace azimora::calc
