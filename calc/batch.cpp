// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "batch.h"

#include <algorithm>
#include <cmath>
#include <istream>
#include <map>
#include <ostream>
#include <variant>
#include <vector>

#include "calc_report.h"
#include "errors.h"
#include "report/input_rules.h"
#include "report/report_words.h"
#include "text/csv_reader.h"
#include "text/json_reader.h"
#include "text/number_text.h"

namespace azimora::calc {
namespace {

constexpr std::string_view kHeaderHelp = "name,lat,lon,sat_lon (sat_lon may be left out with --sat-lon)";
constexpr std::string_view kOutputHeader =
    "name,lat,lon,sat_lon,azimuth,elevation,compass_bearing,declination,horizontal_field_nt,compass_warning,skew,"
    "dish_tilt,motor_angle,next_outage_start,next_outage_end,error\n";
constexpr std::size_t kOutputFigures = 11;  // the columns between sat_lon and error

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// The columns of the header: name, lat and lon required, sat_lon when given.
struct Columns {
    std::size_t name = 0, latitude = 0, longitude = 0;
    std::optional<std::size_t> satellite;
    std::size_t count = 0;
};

std::variant<Columns, std::string> ReadHeader(std::vector<std::string> fields, bool satelliteGiven) {
    std::map<std::string, std::size_t> found;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::string name = Trimmed(fields[i]);
        if (i == 0 && name.starts_with("\xEF\xBB\xBF")) name.erase(0, 3);
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        if (name != "name" && name != "lat" && name != "lon" && name != "sat_lon")
            return "the first line must be the header " + std::string(kHeaderHelp) + "; '" + Trimmed(fields[i]) +
                   "' is no column of it";
        if (!found.emplace(name, i).second) return "the header names the column " + name + " twice";
    }
    for (const char* required : {"name", "lat", "lon"})
        if (!found.count(required)) return "the first line must be the header " + std::string(kHeaderHelp);
    if (!found.count("sat_lon") && !satelliteGiven)
        return "the rows have no sat_lon column: give the satellite with --sat-lon";
    Columns columns;
    columns.name = found["name"];
    columns.latitude = found["lat"];
    columns.longitude = found["lon"];
    if (found.count("sat_lon")) columns.satellite = found["sat_lon"];
    columns.count = fields.size();
    return columns;
}

// The figures of one row; throws its error, in the rules' words.
CalcReport RowReport(const Columns& columns, const std::vector<std::string>& fields, const BatchSettings& settings) {
    if (fields.size() != columns.count)
        throw Error("expected " + std::to_string(columns.count) + " fields but found " + std::to_string(fields.size()));
    const auto angle = [&](std::size_t index, InputField field) {
        return ReadInput(InputRuleOf(field), Trimmed(fields[index]));
    };
    InstallationInputs inputs = settings.defaults;
    inputs.latitude = angle(columns.latitude, InputField::Latitude);
    inputs.longitudeWest = angle(columns.longitude, InputField::Longitude);
    const bool ownSatellite = columns.satellite && !Trimmed(fields[*columns.satellite]).empty();
    if (!ownSatellite && !settings.satelliteLongitude) throw Error("sat_lon is empty and no --sat-lon was given");
    inputs.satelliteLongitudeWest =
        ownSatellite ? angle(*columns.satellite, InputField::SatelliteLongitude) : *settings.satelliteLongitude;
    std::optional<SiteZoneTime> siteZone;
    if (settings.siteZone) {
        siteZone = ZoneOfSite(inputs.latitude, inputs.longitudeWest);
        if (settings.day) inputs.instant = siteZone->zone.Midnight(settings.day->year, settings.day->month, settings.day->day);
    }
    ReportRequest request = CalcRequest(inputs, siteZone ? siteZone->zone : settings.zone);
    // The next outage from the date on: what a batch of sites is planned by.
    request.outages = OutageRequest::NextOne();
    CalcReport report = ComputeSiteReport(request);
    report.siteZone = std::move(siteZone);
    return report;
}

std::string CsvFigures(const CalcReport& report, const ZoneTime& zone) {
    const InstallationFigures& f = report.figures;
    const auto optional = [](const std::optional<double>& value) { return value ? JsonNumber(*value) : std::string(); };
    std::string row;
    for (const std::string& cell :
         {JsonNumber(BearingNumber(static_cast<double>(f.pointing.Azimuth))),
          JsonNumber(static_cast<double>(f.pointing.Elevation)), JsonNumber(BearingNumber(f.compassBearing)),
          JsonNumber(f.magnetic.declination), JsonNumber(f.horizontalFieldNt), CompassWarningKeyword(f),
          optional(f.skew), optional(f.dishTilt), f.motor ? JsonNumber(f.motor->motorAngle) : std::string(),
          report.outages.empty() ? std::string() : zone.Iso(report.outages[0].start),
          report.outages.empty() ? std::string() : zone.Iso(report.outages[0].end)})
        row += cell + ',';
    return row;
}

bool IsNumber(const std::string& text) {
    const auto value = ParseNumber(text);
    return value && std::isfinite(static_cast<double>(*value));
}

}  // namespace

std::string CsvTextCell(const std::string& text) {
    std::string cell = text;
    if (!cell.empty() && std::string_view("=+-@\t\r").find(cell.front()) != std::string_view::npos && !IsNumber(cell))
        cell.insert(0, 1, '\'');
    if (cell.find_first_of(",\"\r\n") == std::string::npos) return cell;
    std::string out = "\"";
    for (const char c : cell) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

BatchResult RunBatch(std::istream& in, std::ostream& out, const BatchSettings& settings) {
    BatchResult result;
    CsvReader reader(in);
    std::vector<std::string> fields;
    const CsvReader::Status first = reader.Next(fields);
    if (first == CsvReader::Status::End) {
        result.headerError = "the file is empty; its first line must be the header " + std::string(kHeaderHelp);
        return result;
    }
    if (first != CsvReader::Status::Record) {
        result.headerError = "the first line must be the header " + std::string(kHeaderHelp);
        return result;
    }
    const auto header = ReadHeader(fields, settings.satelliteLongitude.has_value());
    if (const auto* error = std::get_if<std::string>(&header)) {
        result.headerError = *error;
        return result;
    }
    const Columns& columns = std::get<Columns>(header);

    std::string buffer = settings.json ? std::string() : std::string(kOutputHeader);
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
        const bool record = status == CsvReader::Status::Record;
        const auto given = [&](std::optional<std::size_t> index) {
            return record && index && *index < fields.size() ? Trimmed(fields[*index]) : std::string();
        };
        const std::string name = record && columns.name < fields.size() ? fields[columns.name] : std::string();
        std::string site[] = {given(columns.latitude), given(columns.longitude), given(columns.satellite)};
        std::string error;
        CalcReport report;
        try {
            if (status == CsvReader::Status::TooLong) throw Error("the row is longer than 64 KiB");
            if (status == CsvReader::Status::Unclosed) throw Error("a quoted field is not closed");
            report = RowReport(columns, fields, settings);
        } catch (const std::exception& failure) {
            error = failure.what();
            ++result.failed;
        }
        if (settings.json) {
            std::string prefix = "\"line\": " + std::to_string(reader.RecordLine()) + ", \"name\": " + JsonQuoted(name);
            if (error.empty()) {
                prefix += ", \"lat\": " + JsonNumber(report.inputs.latitude) + ", \"lon\": " +
                          JsonNumber(report.inputs.longitudeWest) + ", \"sat_lon\": " +
                          JsonNumber(report.inputs.satelliteLongitudeWest);
                buffer += JsonReport(report, report.siteZone ? report.siteZone->zone : settings.zone, prefix);
            } else {
                buffer += "{" + prefix + ", \"error\": " + JsonQuoted(error) + "}";
            }
        } else {
            // The satellite a row took from --sat-lon is written as used.
            if (error.empty() && site[2].empty()) site[2] = JsonNumber(report.inputs.satelliteLongitudeWest);
            buffer += CsvTextCell(name);
            for (const std::string& text : site) buffer += ',' + CsvTextCell(text);
            buffer += ',';
            buffer += error.empty() ? CsvFigures(report, report.siteZone ? report.siteZone->zone : settings.zone)
                                    : std::string(kOutputFigures, ',');
            buffer += CsvTextCell(error);
        }
        buffer += '\n';
        if (buffer.size() > (1 << 20) && !flush()) break;
    }
    flush();
    return result;
}

}  // namespace azimora::calc
