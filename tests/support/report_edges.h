// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// The site report's table of edge cases (tests/engine/report/data/edge_cases.json),
// read once for the tests of every front: the engine's, azimora-calc's and
// the windows'. The page's test reads the same file.
namespace azimora::testing {

struct ReportEdgeCase {
    std::string name;
    std::map<std::string, std::string> input;                     // lat, lon, sat, sat_name, offset, date: as typed
    std::map<std::string, std::pair<double, double>> figures;     // skew, azimuth, elevation, dish_tilt: value, tolerance
    std::optional<bool> visible;
    std::optional<std::string> compassWarning;                     // the JSON's keyword
    bool needsScanTables = false;
    std::map<std::string, std::string> words;                     // the JSON report's words' keys: what to say

    // The input's text, or fallback.
    [[nodiscard]] std::string Input(const std::string& key, const std::string& fallback = {}) const;
};

struct ReportEdgeInput {
    std::string field;                 // the page's key: lat, dish, ...
    std::string text;                  // as typed
    std::optional<std::string> error;  // the message; none where the value is taken
};

struct ReportEdgeTable {
    std::string date;  // of every case without its own: "2026-12-07T12:00:00Z"
    std::vector<ReportEdgeCase> cases;
    std::map<std::string, std::string> site;  // where the inputs are tried
    std::vector<ReportEdgeInput> inputs;
};

[[nodiscard]] const ReportEdgeTable& ReportEdges();

// For GoogleTest's messages: a case by its name, an entry by its field and text.
inline void PrintTo(const ReportEdgeCase& edge, std::ostream* out) { *out << edge.name; }
inline void PrintTo(const ReportEdgeInput& entry, std::ostream* out) { *out << entry.field << " '" << entry.text << "'"; }

// A text with none of the signs of an edge ruled out: a minus before a zero
// ("-0.00", "-0.0 "). Empty when clean, else the part that is not.
[[nodiscard]] std::string NegativeZeroIn(const std::string& text);

}  // namespace azimora::testing
