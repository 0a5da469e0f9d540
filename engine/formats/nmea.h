// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/site.h"

// Positions from a GPS receiver's NMEA 0183 sentences: the fix sentences
// GGA (with the height) and RMC, from any talker (GP, GN, GL, GA, BD...).
// A sentence counts only with its checksum right (the XOR of the characters
// between '$' and '*', as two hex digits) and a valid fix: GGA with a fix
// quality above 0, RMC with status A (and not mode N, NMEA 2.3).
namespace azimora {

// Where the receiver stands (geometry/site.h), and how it knows.
struct NmeaFix : SiteLocation {
    // Above mean sea level (GGA's altitude), and above the WGS84 ellipsoid
    // (that plus GGA's geoid separation); none from RMC alone.
    std::optional<double> altitudeMetres;
    std::optional<double> ellipsoidHeightMetres;
    std::optional<double> horizontalDilution;  // GGA's HDOP
    int satellites = 0;                        // in use, from GGA
    std::string timeOfDay;                     // "12:35:19" UTC, as the receiver sent it
    // "2026-12-07" (UTC): RMC's date, or for GGA (which has none) the date
    // of the log's last RMC before it on the same day; empty when unknown.
    std::string date;
    std::string sentence;                      // "GGA" or "RMC"
    std::size_t line = 0;                      // in the log, from 1
};

// One sentence. Nullopt for one that carries no valid fix, with the reason
// in why when the sentence is broken (empty why: a valid sentence of
// another kind, or a receiver saying it has no fix yet).
[[nodiscard]] std::optional<NmeaFix> ParseNmeaFix(std::string_view sentence, std::string& why);

inline constexpr std::size_t kMaxNmeaProblems = 20;

struct NmeaLog {
    std::optional<NmeaFix> lastFix;
    std::size_t lines = 0;
    std::size_t fixes = 0;
    std::size_t broken = 0;             // lines skipped for a wrong checksum or field
    std::vector<std::string> problems;  // "line 3: ..." for the first kMaxNmeaProblems
};

// The last valid fix of a log. A fix from RMC takes the height of a GGA of
// the same second. Lines longer than an NMEA sentence may be (82
// characters; 1 KiB allowed) are skipped, so a file of any size reads in
// little memory.
[[nodiscard]] NmeaLog ReadNmeaLog(std::istream& in);

}  // namespace azimora
