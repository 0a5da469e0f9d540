// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

#include "orbits/sgp4.h"
#include "sky/civil_time.h"

// Objects of the geostationary belt from published mean elements (two-line
// element sets, orbit mean-elements messages): where over the equator each
// stands at an instant by the SGP4 model the elements belong to, and what an
// installer should know of it (drifting, inclined, old elements).
namespace azimora {

struct OrbitalElements {
    std::string name;
    std::string catalogueNumber;
    UnixSeconds epoch = 0;
    double inclination = 0;        // degrees
    double rightAscension = 0;     // of the ascending node, degrees
    double eccentricity = 0;
    double argumentOfPerigee = 0;  // degrees
    double meanAnomaly = 0;        // degrees
    double meanMotion = 0;         // revolutions a day
    double bstar = 0;              // drag term, per Earth radius
};

[[nodiscard]] MeanElements MeanElementsOf(const OrbitalElements& elements);

struct GeostationaryObject {
    OrbitalElements elements;
    double longitudeWest = 0;   // at the instant asked for, west positive
    // Degrees a day, east positive: how far the model moves it over one
    // revolution from the instant (its daily swing, from inclination and
    // eccentricity, comes back within that), the Earth's flattening included.
    double driftPerDay = 0;
    double epochAgeDays = 0;    // from the epoch to the instant; negative before the epoch
    std::string warning;        // drifting, inclined, eccentric, old elements; empty otherwise
};

// Near-geostationary: 0.9 to 1.1 revolutions a day, an orbit near the
// equator going the Earth's way (inclined 20 degrees at most) and nearly a
// circle (eccentricity under 0.1): the bounds of ESA's "Classification of
// Geosynchronous Objects" (ESOC Mission Analysis Office, issue 9, February
// 2007). A satellite left without station-keeping swings up to 15 degrees
// inclination over 53 years (the sun's and moon's pull on its orbit), so
// every object of the geostationary belt stays within them; polar,
// retrograde, Tundra and other strongly eccentric orbits of one revolution a
// day do not (at eccentricity 0.9 the perigee lies inside the Earth).
inline constexpr double kMinimumGeostationaryMotion = 0.9;
inline constexpr double kMaximumGeostationaryMotion = 1.1;
inline constexpr double kMaximumGeostationaryInclination = 20;
inline constexpr double kMaximumGeostationaryEccentricity = 0.1;
// Warnings: drifting more than this many degrees a day, inclined more than
// this, swinging east and west by more than this (an eccentric orbit, by
// about 2e radians each way: the equation of the centre, true less mean
// anomaly, is 2e sin M and terms of e squared),
// elements more than this many days from the instant, before it or after
// it (their position grows uncertain either way).
inline constexpr double kDriftWarning = 0.1;
inline constexpr double kInclinationWarning = 1.0;
inline constexpr double kEccentricSwingWarning = 1.0;
inline constexpr double kElementAgeWarningDays = 14;

// The object at the instant, or the reason it cannot be placed ("not
// geostationary: 15.72 revolutions a day", "the orbit model stops: ...").
[[nodiscard]] std::optional<GeostationaryObject> PlaceGeostationary(const OrbitalElements& elements,
                                                                    UnixSeconds instant, std::string& problem);

// How far an orbit of one revolution a day swings east and west of its mean
// place over the day for its eccentricity, in degrees each way.
[[nodiscard]] double EccentricSwing(double eccentricity);

// Where over the equator an orbit stands at an instant by SGP4: the
// sub-satellite longitude, west positive; nullopt where the model stops.
[[nodiscard]] std::optional<double> SubSatelliteLongitude(const OrbitalElements& elements, UnixSeconds instant);

}  // namespace azimora
