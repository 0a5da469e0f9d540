// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "geometry/dish_setup.h"
#include "geometry/motor_mount.h"
#include "geometry/pointing.h"
#include "sky/civil_time.h"
#include "sky/magnetic_model.h"
#include "sky/sun_events.h"

// Every number an installer needs for one dish at one site on one date:
// the pointing of the window, the compass bearing, the LNB skew, the motor
// mount, the face tilt of an offset dish, the sun alignments of the day and
// the outage threshold. What the window's assistant and azimora-calc show.
namespace azimora {

inline constexpr double kDefaultDishDiameterMetres = 0.6;
inline constexpr double kDefaultFrequencyGHz = 12;

// The site and its satellite (geometry/site.h), and what else the figures need.
struct InstallationInputs : DishSite {
    double altitudeKm = 0;              // above the ellipsoid, for the magnetic model
    UnixSeconds instant = 0;            // the date: the model's year, the day of the sun alignments
    double dishDiameterMetres = kDefaultDishDiameterMetres;
    double frequencyGHz = kDefaultFrequencyGHz;
    double offsetAngle = kDefaultOffsetAngle;
};

// Where a compass can be trusted: the World Magnetic Model's own guidance
// (Chulliat et al., "The US/UK World Magnetic Model for 2025-2030: Technical
// Report", section "Blackout zones"): under 2000 nT of horizontal field a
// compass is unreliable, under 6000 nT it needs caution.
inline constexpr double kUnreliableCompassField = 2000;
inline constexpr double kCautionCompassField = 6000;
enum class CompassWarning { None, Caution, Unreliable };
[[nodiscard]] CompassWarning CompassWarningFor(double horizontalFieldNt) noexcept;

struct InstallationFigures {
    PointingResult pointing;
    std::string azimuthText;    // as the window shows it
    std::string elevationText;  // a number, or "Below Horizon!"
    bool visible = false;       // IsVisible (geometry/visibility.h): the figures below mean something
    MagneticField magnetic;
    double compassBearing = 0;
    double horizontalFieldNt = 0;
    CompassWarning compassWarning = CompassWarning::None;
    // None for a satellite out of sight; the skew also straight under the
    // satellite, where the LNB has no "up" to turn from.
    std::optional<double> skew;
    std::optional<MotorMount> motor;
    std::optional<double> dishTilt;
    double outageThreshold = 0;
};

[[nodiscard]] DishSite DishSiteOf(const InstallationInputs& inputs);

// Throws Error for a dish and frequency without a beam to speak of (see
// CheckDishAndFrequency) and MathError where the pointing calculation does.
[[nodiscard]] InstallationFigures ComputeInstallation(const InstallationInputs& inputs);

// The outage threshold is half the beam width, 70 lambda / D, plus the sun:
// a formula for dishes many wavelengths across. A dish so small for its
// frequency that the beam would be wider than 60 degrees has no meaningful
// threshold: Error "the dish is too small for this frequency: ...".
void CheckDishAndFrequency(double dishDiameterMetres, double frequencyGHz);

}  // namespace azimora
