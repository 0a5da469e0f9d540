// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sky/civil_time.h"

// Geostationary satellites from a file of two-line element sets (NORAD's
// TLE format, as published for the geostationary belt): each set, an
// optional name line and lines 1 and 2, gives an orbit at its epoch. For an
// object that goes round about once a day, Keplerian motion and the Earth's
// rotation give where over the equator it stands now to about 0.1 degree.
namespace azimora {

struct OrbitalElements {
    std::string name;
    std::string catalogueNumber;
    UnixSeconds epoch = 0;
    double inclination = 0;          // degrees
    double rightAscension = 0;       // of the ascending node, degrees
    double eccentricity = 0;
    double argumentOfPerigee = 0;    // degrees
    double meanAnomaly = 0;          // degrees
    double meanMotion = 0;           // revolutions a day
};

struct GeostationaryObject {
    OrbitalElements elements;
    double longitudeWest = 0;   // now, west positive
    double driftPerDay = 0;     // degrees a day, east positive
    std::string warning;        // drifting or inclined; empty otherwise
};

struct ElementSetFile {
    std::vector<GeostationaryObject> objects;
    std::vector<std::string> skipped;  // "line 7: checksum is 3, the line says 5"
};

// The checksum of a TLE line: its digits summed, each '-' counting one, modulo 10.
[[nodiscard]] int TleChecksum(std::string_view line);

// Reads element sets, checks them, and places each near-geostationary object
// (0.9 to 1.1 revolutions a day) at the instant now. Whatever cannot be used
// is listed as skipped, with its line and the reason.
[[nodiscard]] ElementSetFile ReadElementSets(std::string_view text, UnixSeconds now);

// Where over the equator an orbit stands at an instant: the sub-satellite
// longitude, west positive.
[[nodiscard]] double SubSatelliteLongitude(const OrbitalElements& elements, UnixSeconds instant);

// Warnings: drifting more than this many degrees a day, inclined more than this.
inline constexpr double kDriftWarning = 0.1;
inline constexpr double kInclinationWarning = 1.0;

}  // namespace azimora
