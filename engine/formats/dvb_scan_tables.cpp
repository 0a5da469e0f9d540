// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "formats/dvb_scan_tables.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>

#include "errors.h"
#include "geometry/vector3.h"
#include "text/float_chars.h"

namespace azimora {
namespace {

Polarisation Combined(Polarisation a, Polarisation b) {
    if (a == Polarisation::Unknown) return b;
    if (b == Polarisation::Unknown || a == b) return a;
    return Polarisation::Mixed;
}

}  // namespace

std::optional<ScanTableSatellite> SatelliteOfScanTableName(std::string_view fileName) {
    // Name, a hyphen or an underscore, degrees, E or W: "Anik-F1R_C-107.3W".
    // Read from the end, in one pass however long the name (no regular
    // expression: their backtracking runs the stack out on long input).
    if (fileName.size() < 3 || (fileName.back() != 'E' && fileName.back() != 'W')) return std::nullopt;
    const std::string_view rest = fileName.substr(0, fileName.size() - 1);
    const auto digit = [&](std::size_t i) { return rest[i] >= '0' && rest[i] <= '9'; };
    // Up to three whole degrees ending at end, leaving a name of one
    // character at least; where they start, or end itself for none.
    const auto wholeDegrees = [&](std::size_t end) {
        std::size_t start = end;
        while (start > 1 && end - start < 3 && digit(start - 1)) --start;
        return start;
    };
    std::size_t start = rest.size();
    // With a fraction: digits after the last point, whole degrees before it.
    std::size_t fraction = rest.size();
    while (fraction > 0 && digit(fraction - 1)) --fraction;
    if (fraction < rest.size() && fraction > 1 && rest[fraction - 1] == '.') {
        const std::size_t whole = wholeDegrees(fraction - 1);
        if (whole < fraction - 1) start = whole;
    }
    if (start == rest.size()) start = wholeDegrees(rest.size());
    if (start == rest.size()) return std::nullopt;
    std::string_view name = rest.substr(0, start);
    if (name.find_first_of("\r\n") != std::string_view::npos) return std::nullopt;  // no name of a table
    if (name.size() > 1 && (name.back() == '-' || name.back() == '_')) name.remove_suffix(1);
    const std::string_view degrees = rest.substr(start);

    ScanTableSatellite satellite;
    satellite.file = std::string(fileName);
    satellite.name = std::string(name);
    std::replace_if(satellite.name.begin(), satellite.name.end(), [](char c) { return c == '-' || c == '_'; }, ' ');
    double value = 0;
    FloatFromChars(degrees.data(), degrees.data() + degrees.size(), value);
    if (value > 180) return std::nullopt;
    const bool east = fileName.back() == 'E';
    satellite.longitudeWest = east ? -value : value;
    // Built by characters: GCC 12 misreads literals put into strings here (-Wrestrict).
    if (east && value != 0) satellite.longitudeText.push_back('-');
    satellite.longitudeText.append(degrees.data(), degrees.size());
    return satellite;
}

Polarisation PolarisationOfScanTable(std::string_view text) {
    Polarisation found = Polarisation::Unknown;
    std::size_t at = 0;
    while ((at = text.find("POLARIZATION", at)) != std::string_view::npos) {
        at += 12;
        // Its value follows within the line: " = HORIZONTAL". Only that far
        // is looked at, so a table without line breaks reads in linear time.
        constexpr std::size_t kValueReach = 32;
        std::string_view rest = text.substr(at, kValueReach);
        rest = rest.substr(0, rest.find('\n'));
        if (rest.find("HORIZONTAL") != std::string_view::npos || rest.find("VERTICAL") != std::string_view::npos) {
            found = Combined(found, Polarisation::Linear);
        } else if (rest.find("LEFT") != std::string_view::npos || rest.find("RIGHT") != std::string_view::npos) {
            found = Combined(found, Polarisation::Circular);
        }
    }
    return found;
}

ScanTables ReadScanTables(const std::filesystem::path& folder) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        throw Error("No DVB scan tables in " + folder.string() +
                    ": they come with Debian's package dtv-scan-tables (apt-get install dtv-scan-tables)");
    }
    std::vector<std::filesystem::path> files;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec)) files.push_back(it->path());
    if (ec) throw Error("Cannot read the DVB scan tables in " + folder.string() + ": " + ec.message());
    std::sort(files.begin(), files.end());

    ScanTables tables;
    for (const auto& file : files) {
        const std::string name = file.filename().string();
        auto satellite = SatelliteOfScanTableName(name);
        if (!satellite) {
            tables.skipped.push_back(name + ": no orbital position at the end of its name");
            continue;
        }
        // A table lists a few dozen transponders; a file of megabytes there
        // is something else, and reading it whole would stall the dialog.
        std::error_code sizeError;
        const auto size = std::filesystem::file_size(file, sizeError);
        if (sizeError || size > kMaxScanTableBytes) {
            tables.skipped.push_back(name + (sizeError ? ": cannot be read" : ": larger than 1 MiB, not a scan table"));
            continue;
        }
        std::ifstream in(file, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof()) {
            tables.skipped.push_back(name + ": cannot be read");
            continue;
        }
        satellite->polarisation = PolarisationOfScanTable(text);
        tables.satellites.push_back(std::move(*satellite));
    }
    return tables;
}

namespace {

constexpr const char* kPolarisationNames[] = {"unknown", "linear", "circular", "mixed"};

}  // namespace

std::string ScanTableList(const std::vector<ScanTableSatellite>& satellites) {
    std::string list;
    for (const ScanTableSatellite& satellite : satellites)
        list += satellite.file + '\t' + kPolarisationNames[static_cast<int>(satellite.polarisation)] + '\n';
    return list;
}

std::vector<ScanTableSatellite> ReadScanTableList(std::string_view list) {
    std::vector<ScanTableSatellite> satellites;
    while (!list.empty()) {
        const std::size_t end = std::min(list.find('\n'), list.size());
        const std::string_view line = list.substr(0, end);
        list.remove_prefix(std::min(end + 1, list.size()));
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) continue;
        auto satellite = SatelliteOfScanTableName(line.substr(0, tab));
        const auto name = std::find(std::begin(kPolarisationNames), std::end(kPolarisationNames), line.substr(tab + 1));
        if (!satellite || name == std::end(kPolarisationNames)) continue;
        satellite->polarisation = static_cast<Polarisation>(name - std::begin(kPolarisationNames));
        satellites.push_back(std::move(*satellite));
    }
    return satellites;
}

Polarisation PolarisationAt(const std::vector<ScanTableSatellite>& satellites, double longitudeWest) {
    Polarisation found = Polarisation::Unknown;
    for (const ScanTableSatellite& satellite : satellites)
        if (std::fabs(Wrap180(satellite.longitudeWest - longitudeWest)) < 0.05) found = Combined(found, satellite.polarisation);
    return found;
}

SatellitePolarisation PolarisationOf(const std::vector<ScanTableSatellite>& satellites, std::string_view name,
                                     double longitudeWest) {
    const auto folded = [](std::string_view text) {
        std::string letters;
        for (const char c : text)
            if (std::isalnum(static_cast<unsigned char>(c))) letters += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return letters;
    };
    const std::string wanted = folded(name);
    SatellitePolarisation answer;
    for (const ScanTableSatellite& satellite : satellites) {
        if (std::fabs(Wrap180(satellite.longitudeWest - longitudeWest)) >= 0.05) continue;
        answer.atPosition = Combined(answer.atPosition, satellite.polarisation);
        answer.namesAtPosition.push_back(satellite.name);
        const std::string table = folded(satellite.name);
        if (!table.empty() && !wanted.empty() &&
            (wanted.find(table) != std::string::npos || table.find(wanted) != std::string::npos))
            answer.ofSatellite = Combined(answer.ofSatellite, satellite.polarisation);
    }
    return answer;
}

}  // namespace azimora
