// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/geostationary_objects.h"
#include "sky/civil_time.h"

// Geostationary satellites from a file of two-line element sets (NORAD's
// TLE format, as published for the geostationary belt): each set, an
// optional name line (Space-Track writes it "0 NAME") and lines 1 and 2.
namespace azimora {

struct ElementSetFile {
    std::vector<GeostationaryObject> objects;
    std::vector<std::string> skipped;  // "line 7: checksum is 3, the line says 5", the first kMaxListedSkips
    std::size_t skippedCount = 0;      // all of them
    // The text stops inside a record: its last line has no line break, or
    // its last set or message lacks a part. What a download cut off at a
    // connection's close looks like.
    bool endsMidRecord = false;
};

// A file of the whole catalogue skips hundreds of thousands of objects that
// are not geostationary: the first ones are listed, the rest counted.
inline constexpr std::size_t kMaxListedSkips = 500;

// The checksum of a TLE line: its digits summed, each '-' counting one, modulo 10.
[[nodiscard]] int TleChecksum(std::string_view line);

// The elements of lines 1 and 2 (columns as NORAD defines them), without
// the checksum test; the reason when a field cannot be read.
[[nodiscard]] std::optional<OrbitalElements> ParseElementLines(std::string_view name, std::string_view line1,
                                                               std::string_view line2, std::string& problem);

// Reads element sets line by line, so that a file of any size is read as a
// stream: each near-geostationary object is placed at the instant as it
// comes; whatever cannot be used is counted as skipped, with its line and
// the reason.
class ElementSetReader {
public:
    // firstLine: the number of the first line given (a block of a larger file).
    explicit ElementSetReader(UnixSeconds instant, std::size_t firstLine = 1)
        : instant_(instant), lineNumber_(firstLine - 1) {}

    void AddLine(std::string_view line);
    // Call at the end: a name left without its set is reported.
    void Finish();

    [[nodiscard]] ElementSetFile& Result() noexcept { return file_; }

private:
    void Skip(std::size_t lineNumber, const std::string& reason);
    void Set(std::string_view line2, std::size_t line2Number);

    UnixSeconds instant_;
    ElementSetFile file_;
    std::size_t lineNumber_ = 0;
    std::string name_;
    std::size_t nameLine_ = 0;
    std::string line1_;
    std::size_t line1Number_ = 0;
};

// The whole of a text through ElementSetReader.
[[nodiscard]] ElementSetFile ReadElementSets(std::string_view text, UnixSeconds instant);

}  // namespace azimora
