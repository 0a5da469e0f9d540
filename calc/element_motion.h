// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>

#include "calc_options.h"
#include "element_list.h"
#include "zone_time.h"

// azimora-calc --tle FILE --lat DEG --lon DEG: each near-geostationary
// object of an element file seen from one site over a day, with its daily
// motion (motion/daily_motion.h): as CSV (a row an object), JSON Lines (an
// object a line) or a table for a person. The day is the 24 hours from
// dayStart; times in the zone given.
//   CSV: name,catalogue_number,sat_lon,inclination,drift_per_day,
//        epoch_age_days,warning,azimuth,elevation,inclination_deg,swing_deg,
//        best_aim_azimuth,best_aim_elevation,largest_error_deg,peak_loss_db,
//        hours_within_1db,hours_within_3db,worst_times,beamwidth_deg,
//        nominal_lon,nominal_aim_azimuth,nominal_aim_elevation,
//        nominal_error_deg,hours_above_horizon,station_kept,
//        elements_outdated,inclination_rate_deg_per_year,verdict,verdict_text
// JSON keys the same, the daily motion's under "daily_motion" with the aims
// as objects ("best_aim": {"azimuth", "elevation"}). peak_loss_db is empty
// (null) where the worst error lies beyond the main beam. An object the
// orbit model cannot follow through the day goes to errors and counts as
// skipped.
namespace azimora::calc {

struct ElementSiteSettings {
    double latitude = 0;
    double longitudeWest = 0;
    double altitudeKm = 0;
    double dishDiameterMetres = 0;
    double frequencyGHz = 0;
    UnixSeconds dayStart = 0;
    ZoneTime zone;
    enum class Output { Csv, Json, Table } output = Output::Csv;
};

// The site, dish, day and output of the command line; with --tz site the
// zone the site keeps (throws Error where it cannot be found).
[[nodiscard]] ElementSiteSettings ElementSiteSettingsOf(const CalcOptions& options);

ElementListResult ListElementsAtSite(std::istream& in, std::ostream& out, std::ostream& errors,
                                     const ElementSiteSettings& settings);

}  // namespace azimora::calc
