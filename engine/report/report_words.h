// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

#include "formats/dvb_scan_tables.h"
#include "geometry/motor_mount.h"
#include "geometry/two_satellite_dish.h"
#include "installation.h"
#include "report/shown_numbers.h"

// The settled words of the site report: each sentence made in one place,
// its numbers by the rules of shown_numbers.h, so that every front says
// the same at the edges. An empty text: nothing to say there. Degrees with
// their sign, "12.3°" (azimora-calc's ASCII table spells it "12.3 deg":
// WithDegreeWord).
namespace azimora {

struct ReportWords {
    std::string site;              // "51.08 N, 114.08 W"
    std::string satellite;         // "Anik E2 (107.30 W)", or "107.30 W" without a name
    std::string azimuth;           // "171.31°", due north "0.00°"
    std::string compassBearing;    // "157.93°"
    std::string declination;       // "13.38° E"
    std::string elevation;         // "31.19°", or with why it cannot be seen
    std::string visibility;        // empty when seen; else why not
    std::string skew;              // "turn the LNB 5.5° counter-clockwise, seen from behind the dish", ...
    std::string faceTilt;          // "8.89° on an inclinometer: the face tilted back, looking up, for an offset of 22.3°"
    std::string motor;             // "7.49° east of centre; declination offset 7.38°"
    std::string horizontalField;   // "16269 nT", with the compass warning where there is one
    std::string compassWarning;    // empty, or what a weak field means for a compass
    std::string magneticModel;     // "WMM2025, valid 2025.0 to 2030.0", or that the date lies outside
    std::string sunAlignments;     // empty when the front lists their times; else why none
    std::string outages;           // a summary of the outages asked (their times are the front's)
    // A second satellite on the same dish; all empty without one.
    std::string secondSatellite;   // "Hot Bird 13 (13.00 E)"
    std::string separation;        // "6.76° apart seen from the site (6.20° in orbit)"
    std::string secondLnb;         // where its LNB goes, or why there is none
    std::string secondSkew;        // empty where there is no second LNB
    std::string monoblock;         // empty where there is no second LNB
};

inline constexpr const char* kOutOfSightWords = "none: the satellite cannot be seen from this site";
inline constexpr const char* kBelowHorizonWords = "below the horizon, the satellite cannot be seen from this site";
inline constexpr const char* kCircularWords = "circular polarisation: no skew";
inline constexpr const char* kNoSkewWords = "none: the LNB stays upright";

// The LNB's turn: out of sight, circular, straight overhead (no skew to
// speak of), none (what shows as 0.0), or which way and how far; with what
// the DVB scan tables say of the position where they do not know the
// satellite by its name.
[[nodiscard]] std::string SkewWords(std::optional<double> skew, bool visible, const SatellitePolarisation& polarisation);
[[nodiscard]] std::string FaceTiltWords(std::optional<double> tilt, double offsetAngle);
[[nodiscard]] std::string MotorWords(const std::optional<MotorMount>& motor);
[[nodiscard]] std::string CompassWarningWords(CompassWarning warning);
[[nodiscard]] std::string HorizontalFieldWords(double horizontalFieldNt, CompassWarning warning);
[[nodiscard]] std::string MagneticModelWords(const MagneticField& field);
// The word a program compares: "unreliable", "caution", else "outside the
// magnetic model's years" for a date the model does not cover; empty when
// nothing makes the bearing doubtful. One at a time, the field's first.
[[nodiscard]] std::string CompassWarningKeyword(const InstallationFigures& figures);

struct SecondSatelliteWords {
    std::string satellite, separation, lnb, skew, monoblock;
};
[[nodiscard]] SecondSatelliteWords SecondWords(const std::string& name, double longitudeWest, double focalLengthMm,
                                               const TwoSatelliteDish& dish, bool firstVisible);
// A satellite by its name and longitude: "Astra 1KR (19.20 E)", "19.20 E".
[[nodiscard]] std::string SatelliteWords(const std::string& name, double longitudeWest);

}  // namespace azimora
