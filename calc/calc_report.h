// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "installation.h"

// What azimora-calc prints for one site: a short table for a person, or one
// JSON object for a program.
namespace azimora::calc {

[[nodiscard]] std::string PlainReport(const InstallationInputs& inputs, const InstallationFigures& figures,
                                      const std::vector<SunOutage>& outages);

// The keys, in this order: azimuth, elevation, azimuth_text, elevation_text,
// declination, compass_bearing, magnetic_model, magnetic_model_valid, skew,
// motor_angle, motor_declination_offset, dish_tilt, sun_alignments,
// sun_outages, outage_threshold. Angles in degrees, 15 significant digits.
[[nodiscard]] std::string JsonReport(const InstallationFigures& figures, const std::vector<SunOutage>& outages);

// A number for JSON or CSV: up to 15 significant digits, '.' as the point.
[[nodiscard]] std::string NumberText(double value);

}  // namespace azimora::calc
