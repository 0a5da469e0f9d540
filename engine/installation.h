// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

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

struct InstallationInputs {
    double latitude = 0;                // degrees, north positive
    double longitudeWest = 0;           // degrees, west positive
    double satelliteLongitudeWest = 0;  // degrees, west positive
    double altitudeKm = 0;              // above the ellipsoid, for the magnetic model
    UnixSeconds instant = 0;            // the date: the model's year, the day of the sun alignments
    double dishDiameterMetres = kDefaultDishDiameterMetres;
    double frequencyGHz = kDefaultFrequencyGHz;
    double offsetAngle = kDefaultOffsetAngle;
};

struct InstallationFigures {
    PointingResult pointing;
    std::string azimuthText;    // as the window shows it
    std::string elevationText;  // a number, or "Below Horizon!"
    MagneticField magnetic;
    double compassBearing = 0;
    double skew = 0;
    MotorMount motor;
    double dishTilt = 0;
    std::vector<UnixSeconds> sunAlignments;  // of the UTC day of the instant
    double outageThreshold = 0;
};

[[nodiscard]] DishSite DishSiteOf(const InstallationInputs& inputs);

// Throws MathError where the pointing calculation does.
[[nodiscard]] InstallationFigures ComputeInstallation(const InstallationInputs& inputs);

// The sun outages of the calendar year (UTC) of the instant.
[[nodiscard]] std::vector<SunOutage> OutagesOfTheYear(const InstallationInputs& inputs);

}  // namespace azimora
