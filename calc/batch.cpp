// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "batch.h"

#include <algorithm>
#include <cmath>
#include <istream>
#include <ostream>
#include <vector>

#include "calc_report.h"
#include "csv_reader.h"
#include "errors.h"
#include "geometry/lnb_skew.h"
#include "geometry/motor_mount.h"
#include "geometry/pointing.h"
#include "sky/magnetic_model.h"
#include "text/number_text.h"

namespace azimora::calc {
namespace {

constexpr std::string_view kInputHeader = "name,lat,lon,sat_lon";
constexpr std::string_view kOutputHeader =
    "name,lat,lon,sat_lon,azimuth,elevation,compass_bearing,declination,skew,motor_angle,error\n";

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (const char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// The figures of one row, or its error.
std::string RowFigures(const std::vector<std::string>& fields, const BatchSettings& settings, double decimalYear) {
    if (fields.size() != 4) throw Error("expected 4 fields but found " + std::to_string(fields.size()));
    const auto number = [&](std::size_t index, const char* name) {
        const auto value = ParseNumber(fields[index]);
        if (!value || !std::isfinite(static_cast<double>(*value)))
            throw Error(std::string(name) + ": '" + std::string(Trimmed(fields[index])) + "' is not a number");
        return static_cast<double>(*value);
    };
    const double latitude = number(1, "lat"), longitude = number(2, "lon"), satellite = number(3, "sat_lon");
    if (latitude < -90 || latitude > 90) throw Error("lat: " + FormatGeneral(latitude) + " lies outside -90 to 90");
    PointingInputs inputs;
    inputs.Latitude = latitude;
    inputs.Longitude = longitude;
    inputs.SatLongitude = satellite;
    const PointingResult pointing = CalculatePointing(inputs);
    const MagneticField field = ComputeMagneticField(kWmm2025, latitude, longitude, settings.altitudeKm, decimalYear);
    const double azimuth = static_cast<double>(pointing.Azimuth);
    return NumberText(azimuth) + ',' + NumberText(static_cast<double>(pointing.Elevation)) + ',' +
           NumberText(CompassBearing(azimuth, field.declination)) + ',' + NumberText(field.declination) + ',' +
           NumberText(LnbSkew(latitude, longitude, satellite)) + ',' +
           NumberText(MotorMountFor(latitude, longitude, satellite).motorAngle) + ',';
}

}  // namespace

BatchResult RunBatch(std::istream& in, std::ostream& out, const BatchSettings& settings) {
    BatchResult result;
    CsvReader reader(in);
    std::vector<std::string> fields;
    const CsvReader::Status first = reader.Next(fields);
    if (first == CsvReader::Status::End) {
        result.headerError = "the file is empty; its first line must be the header " + std::string(kInputHeader);
        return result;
    }
    std::string header;
    if (first == CsvReader::Status::Record) {
        for (const std::string& field : fields) header += (header.empty() ? "" : ",") + field;
        header.erase(std::remove_if(header.begin(), header.end(), [](char c) { return c == ' ' || c == '\t'; }),
                     header.end());
        if (header.starts_with("\xEF\xBB\xBF")) header.erase(0, 3);
        std::transform(header.begin(), header.end(), header.begin(), [](unsigned char c) { return std::tolower(c); });
    }
    if (header != kInputHeader) {
        result.headerError = "the first line must be the header " + std::string(kInputHeader);
        return result;
    }

    const double decimalYear = DecimalYear(settings.instant);
    std::string buffer(kOutputHeader);
    const auto flush = [&] {
        out << buffer;
        buffer.clear();
        return static_cast<bool>(out);
    };
    while (true) {
        const CsvReader::Status status = reader.Next(fields);
        if (status == CsvReader::Status::End) break;
        if (status == CsvReader::Status::NotText) {
            result.inputError = "line " + std::to_string(reader.RecordLine()) + " holds a NUL byte: this is not a CSV file";
            break;
        }
        if (status == CsvReader::Status::Record && fields.size() == 1 && Trimmed(fields[0]).empty()) continue;
        ++result.rows;
        std::vector<std::string> given = status == CsvReader::Status::Record ? fields : std::vector<std::string>{};
        given.resize(4);
        for (std::size_t i = 0; i < 4; ++i) buffer += CsvField(i == 0 ? given[i] : std::string(Trimmed(given[i]))) + ',';
        try {
            if (status == CsvReader::Status::TooLong) throw Error("the row is longer than 64 KiB");
            if (status == CsvReader::Status::Unclosed) throw Error("a quoted field is not closed");
            buffer += RowFigures(fields, settings, decimalYear);
        } catch (const std::exception& error) {
            ++result.failed;
            buffer += ",,,,,," + CsvField(error.what());
        }
        buffer += '\n';
        if (buffer.size() > (1 << 20) && !flush()) break;
    }
    flush();
    return result;
}

}  // namespace azimora::calc
