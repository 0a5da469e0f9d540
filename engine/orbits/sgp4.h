// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>

#include "orbits/sgp4_deep_space.h"

// The SGP4 orbit model, with its deep-space part (SDP4) for periods of 225
// minutes and more (every geostationary object): the model that published
// two-line element sets are mean elements of. From Hoots and Roehrich,
// "Models for Propagation of NORAD Element Sets", Spacetrack Report No. 3
// (1980), with the corrections of Vallado, Crawford, Hujsak and Kelso,
// "Revisiting Spacetrack Report #3", AIAA 2006-6753. Gravity constants of
// WGS-72, as the element sets are made with.
namespace azimora {

// Mean elements at their epoch, in the units of the element set.
struct MeanElements {
    double epochJulianDay = 0;     // UTC
    double meanMotion = 0;         // revolutions a day (Kozai mean motion)
    double eccentricity = 0;
    double inclination = 0;        // degrees
    double rightAscension = 0;     // of the ascending node, degrees
    double argumentOfPerigee = 0;  // degrees
    double meanAnomaly = 0;        // degrees
    double bstar = 0;              // drag term, per Earth radius
};

// Where the model stops, as the report numbers it.
enum class Sgp4Error {
    None = 0,
    MeanEccentricity = 1,       // outside 0 to 1
    MeanMotion = 2,             // not above zero
    PerturbedEccentricity = 3,  // outside 0 to 1
    SemiLatusRectum = 4,        // below zero
    Decayed = 6,                // the orbit has come down
};

// Why the model stops, as the installer reads it after "the orbit model
// stops: " ("it has come down"); empty for None.
[[nodiscard]] const char* Sgp4ErrorText(Sgp4Error error) noexcept;

struct Sgp4State {
    std::array<double, 3> position{};  // km, true equator, mean equinox (TEME)
    std::array<double, 3> velocity{};  // km/s
};

class Sgp4Orbit {
public:
    explicit Sgp4Orbit(const MeanElements& elements);

    // The state this many minutes after the epoch; the error where the model
    // cannot give one. Not const: the deep-space resonance integration keeps
    // its last step, as the model does, so that the next call need not start
    // from the epoch again.
    [[nodiscard]] Sgp4Error Propagate(double minutes, Sgp4State& state);

    // The error the elements themselves carry (checked at the epoch).
    [[nodiscard]] Sgp4Error EpochError() const noexcept { return epochError_; }
    [[nodiscard]] bool IsDeepSpace() const noexcept { return deep_.has_value(); }

private:
    // The elements, in radians and radians a minute.
    double epoch_ = 0;  // days from 1950 January 0.0
    double bstar_ = 0, eccentricity_ = 0, inclination_ = 0, node_ = 0, perigee_ = 0, anomaly_ = 0;
    double meanMotion_ = 0;  // the un-Kozai'd ("Brouwer") mean motion

    // Secular and drag coefficients.
    bool simple_ = false;  // perigee under 220 km, or deep space: the simpler drag terms
    double aycof_ = 0, con41_ = 0, cc1_ = 0, cc4_ = 0, cc5_ = 0, d2_ = 0, d3_ = 0, d4_ = 0, delmo_ = 0, eta_ = 0;
    double argpdot_ = 0, omgcof_ = 0, sinmao_ = 0, t2cof_ = 0, t3cof_ = 0, t4cof_ = 0, t5cof_ = 0;
    double x1mth2_ = 0, x7thm1_ = 0, mdot_ = 0, nodedot_ = 0, xlcof_ = 0, xmcof_ = 0, nodecf_ = 0;
    double gsto_ = 0;

    std::optional<DeepSpace> deep_;
    Sgp4Error epochError_ = Sgp4Error::None;
};

// Reads the model's epoch from an element set's two-digit year and day of
// the year with its fraction (57 to 99 are 1957 to 1999).
[[nodiscard]] double JulianDayOfElementEpoch(int twoDigitYear, double dayOfYear);

// Greenwich mean sidereal time (IAU 1982, as the model's TEME frame uses),
// radians, at a Julian day of UT1.
[[nodiscard]] double GreenwichMeanSiderealTime1982(double julianDay);

}  // namespace azimora
