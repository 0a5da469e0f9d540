// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>

#include "report/site_report.h"

// The site report as one JSON object, for programs (azimora-calc --json and
// --batch --json) and for the page. The keys, in this order: azimuth,
// elevation, azimuth_text, elevation_text, visible, declination,
// compass_bearing, horizontal_field_nt, compass_warning, magnetic_model,
// magnetic_model_valid, skew, motor_angle, motor_declination_offset,
// dish_tilt, sun_alignments, sun_outages, outage_threshold,
// second_satellite (null without one; else sat_lon, separation,
// lnb_right_mm, lnb_up_mm, lnb_offset_mm, focal_mm, visible, skew,
// monoblock) and second_satellite_warning (why no second LNB serves the
// pair, or null), then the caller's own, then polarisation ("linear",
// "circular", "mixed" by the DVB scan tables, or null), words (the report's
// words, key by key: site, satellite, azimuth, compass_bearing, declination,
// elevation, visibility, skew, face_tilt, motor, horizontal_field,
// compass_warning, magnetic_model, sun_alignments, outages,
// second_satellite, separation, second_lnb, second_skew, monoblock),
// version and format. Angles in degrees, 15 significant digits; bearings in
// [0, 360); the skew its true signed value; null where a figure means
// nothing (a satellite out of sight, straight overhead).
namespace azimora {

// An instant as the caller writes it: "2026-12-07T11:51:37-07:00".
using InstantText = std::function<std::string(UnixSeconds)>;

// prefix: members that go first ("\"name\": \"Roof\", "-less: the caller's
// text, members joined by ", "); extra: members before polarisation.
[[nodiscard]] std::string ReportJson(const SiteReport& report, const InstantText& instantText,
                                     const std::string& prefix = {}, const std::string& extra = {});

}  // namespace azimora
