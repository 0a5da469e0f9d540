// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// azimora-calc against the site report's table of edges
// (tests/engine/report/data/edge_cases.json): its table, its JSON, its KML
// and its batch, run as a user runs them, each showing what the report says.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "report/shown_numbers.h"
#include "report_edges.h"
#include "shell_command.h"
#include "temp_folder.h"
#include "text/csv_reader.h"
#include "text/json_reader.h"

namespace azimora {
namespace {

using testing::ReportEdgeCase;
using testing::ReportEdges;

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

std::string SiteArguments(const ReportEdgeCase& edge) {
    std::string args = " --sat-lon " + Quoted(edge.Input("sat")) + " --lat " + Quoted(edge.Input("lat")) + " --lon " +
                       Quoted(edge.Input("lon")) + " --date " + edge.Input("date", ReportEdges().date);
    if (!edge.Input("offset").empty()) args += " --offset-deg " + edge.Input("offset");
    if (!edge.Input("sat_name").empty()) args += " --sat-name " + Quoted(edge.Input("sat_name"));
    return args;
}

testing::ProgramRun Calc(const std::string& args) { return testing::RunShellCommand(std::string(AZIMORA_CALC) + args + " 2>&1"); }

bool ScanTablesInstalled() { return std::filesystem::is_directory("/usr/share/dvb/dvb-s"); }

// "Label    value" rows of the table, the first of each label.
std::map<std::string, std::string> TableRows(const std::string& table) {
    std::map<std::string, std::string> rows;
    std::istringstream lines(table);
    for (std::string line; std::getline(lines, line);) {
        if (line.size() < 22 || line[0] == ' ') continue;
        const auto end = line.find_last_not_of(' ', 21);
        rows.emplace(line.substr(0, end + 1), line.substr(22));
    }
    return rows;
}

// "Label: value" lines of the KML's placemark of the site.
std::map<std::string, std::string> KmlFigures(const std::string& kml) {
    std::map<std::string, std::string> figures;
    const auto start = kml.find("<description>"), end = kml.find("</description>");
    if (start == std::string::npos || end == std::string::npos) return figures;
    std::istringstream lines(kml.substr(start + 13, end - start - 13));
    for (std::string line; std::getline(lines, line);)
        if (const auto colon = line.find(": "); colon != std::string::npos) figures.emplace(line.substr(0, colon), line.substr(colon + 2));
    return figures;
}

// Where each front shows a word of the report: the table's row, the KML's figure.
const std::map<std::string, const char*> kTableRows = {
    {"site", "Site"}, {"satellite", "Satellite"}, {"azimuth", "Azimuth (true)"}, {"elevation", "Elevation"},
    {"skew", "LNB skew"}, {"face_tilt", "Dish face tilt"}, {"motor", "Motor angle"},
    {"compass_warning", "Horizontal field"}, {"magnetic_model", "Magnetic model"}, {"outages", "Sun outages"}};
const std::map<std::string, const char*> kKmlFigures = {
    {"satellite", "Satellite"}, {"azimuth", "Azimuth (true)"}, {"elevation", "Elevation"}, {"skew", "LNB skew"},
    {"face_tilt", "Dish face tilt"}, {"compass_warning", "Horizontal field"}, {"magnetic_model", "Magnetic model"}};
// Said within a longer text: the warning within the field's words.
bool Within(const std::string& key) { return key == "compass_warning"; }

void ExpectShown(const std::map<std::string, std::string>& shown, const std::map<std::string, const char*>& where,
                 const std::string& key, const std::string& expected, const std::string& front) {
    const auto place = where.find(key);
    if (place == where.end()) return;  // this front does not show that word
    const auto found = shown.find(place->second);
    ASSERT_NE(found, shown.end()) << front << " shows no " << place->second;
    if (Within(key))
        EXPECT_NE(found->second.find(expected), std::string::npos) << front << " " << key << ": " << found->second;
    else
        EXPECT_EQ(found->second, expected) << front << " " << key;
}

class CalcEdge : public ::testing::TestWithParam<ReportEdgeCase> {
protected:
    void SetUp() override {
        if (GetParam().needsScanTables && !ScanTablesInstalled()) GTEST_SKIP() << "dtv-scan-tables is not installed";
    }
};

TEST_P(CalcEdge, TheTableSaysWhatTheReportSays) {
    const ReportEdgeCase& edge = GetParam();
    const auto run = Calc(SiteArguments(edge));
    ASSERT_EQ(run.status, 0) << run.out;
    const auto rows = TableRows(run.out);
    for (const auto& [key, phrase] : edge.words) ExpectShown(rows, kTableRows, key, WithDegreeWord(phrase), "the table");
    EXPECT_EQ(testing::NegativeZeroIn(run.out), "") << run.out;
}

TEST_P(CalcEdge, TheJsonCarriesTheValuesAndTheWords) {
    const ReportEdgeCase& edge = GetParam();
    const auto run = Calc(SiteArguments(edge) + " --json");
    ASSERT_EQ(run.status, 0) << run.out;
    const JsonValue json = ParseJson(run.out);
    const JsonValue* words = json.Find("words");
    ASSERT_NE(words, nullptr) << "no words in " << run.out;
    for (const auto& [key, phrase] : edge.words) {
        ASSERT_NE(words->Find(key), nullptr) << key;
        EXPECT_EQ(words->Find(key)->text, phrase) << key;
    }
    if (edge.visible) {
        EXPECT_EQ(json.Find("visible")->boolean, *edge.visible);
    }
    if (edge.compassWarning) {
        EXPECT_EQ(json.Find("compass_warning")->text, *edge.compassWarning);
    }
    // The numbers keep their true values, bearings within [0, 360).
    const double azimuth = std::stod(json.Find("azimuth")->text);
    EXPECT_TRUE(azimuth >= 0 && azimuth < 360) << azimuth;
    for (const auto& [name, expected] : edge.figures) {
        const JsonValue* value = json.Find(name);
        ASSERT_TRUE(value != nullptr && value->kind == JsonValue::Kind::Number) << name;
        EXPECT_NEAR(std::stod(value->text), expected.first, expected.second) << name;
    }
}

TEST_P(CalcEdge, TheKmlFiguresSayWhatTheReportSays) {
    const ReportEdgeCase& edge = GetParam();
    const auto run = Calc(SiteArguments(edge) + " --kml");
    if (edge.visible == false) {
        // No line of sight to draw: said, and nothing written.
        EXPECT_EQ(run.status, 1) << run.out;
        EXPECT_EQ(run.out.find("<kml"), std::string::npos);
        return;
    }
    ASSERT_EQ(run.status, 0) << run.out;
    const auto figures = KmlFigures(run.out);
    for (const auto& [key, phrase] : edge.words) ExpectShown(figures, kKmlFigures, key, WithDegreeWord(phrase), "the KML");
    for (const auto& [name, text] : figures) EXPECT_EQ(testing::NegativeZeroIn(text), "") << name << ": " << text;
}

// The batch's columns are for programs, as the JSON's numbers are: true
// values, bearings within [0, 360), nothing to set out of sight, the
// compass's warning word.
class CalcBatchEdge : public CalcEdge {};

TEST_P(CalcBatchEdge, TheBatchRowCarriesTheValues) {
    const ReportEdgeCase& edge = GetParam();
    const testing::TempFolder folder;
    const auto input = folder.Path() / "sites.csv";
    std::ofstream(input) << "name,lat,lon,sat_lon\nEdge," << edge.Input("lat") << "," << edge.Input("lon") << ","
                         << edge.Input("sat") << "\n";
    const std::string offset = edge.Input("offset").empty() ? "" : " --offset-deg " + edge.Input("offset");
    const auto run = Calc(" --batch " + input.string() + " --date " + edge.Input("date", ReportEdges().date) + offset);
    ASSERT_EQ(run.status, 0) << run.out;
    std::istringstream text(run.out);
    CsvReader reader(text);
    std::vector<std::string> header, row;
    ASSERT_EQ(reader.Next(header), CsvReader::Status::Record);
    ASSERT_EQ(reader.Next(row), CsvReader::Status::Record);
    std::map<std::string, std::string> cell;
    for (std::size_t i = 0; i < header.size() && i < row.size(); ++i) cell[header[i]] = row[i];
    const double azimuth = std::stod(cell["azimuth"]);
    EXPECT_TRUE(azimuth >= 0 && azimuth < 360) << azimuth;
    const std::map<std::string, std::string> column = {{"skew", "skew"}, {"azimuth", "azimuth"}, {"elevation", "elevation"},
                                                       {"dish_tilt", "dish_tilt"}};
    for (const auto& [name, expected] : edge.figures) EXPECT_NEAR(std::stod(cell[column.at(name)]), expected.first, expected.second) << name;
    if (edge.visible == false) {
        for (const char* name : {"skew", "dish_tilt", "motor_angle", "next_outage_start"}) EXPECT_EQ(cell[name], "") << name;
    }
    if (edge.compassWarning) {
        EXPECT_EQ(cell["compass_warning"], *edge.compassWarning);
    }
}

// The rows a batch can give: its rows carry no satellite's name.
std::vector<ReportEdgeCase> BatchCases() {
    std::vector<ReportEdgeCase> cases;
    for (const ReportEdgeCase& edge : ReportEdges().cases)
        if (edge.Input("sat_name").empty()) cases.push_back(edge);
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Table, CalcEdge, ::testing::ValuesIn(ReportEdges().cases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });
INSTANTIATE_TEST_SUITE_P(Table, CalcBatchEdge, ::testing::ValuesIn(BatchCases()),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

// Each entry at and past its range, as an option and as a batch's column:
// taken, or refused in the rules' words.
const std::map<std::string, std::string> kOptions = {
    {"lat", "--lat"},       {"lon", "--lon"},         {"sat", "--sat-lon"},      {"second", "--second-sat-lon"},
    {"dish", "--dish-m"},   {"freq", "--freq-ghz"},   {"offset", "--offset-deg"}, {"focal", "--focal-mm"},
    {"alt", "--altitude-km"}};

class CalcInput : public ::testing::TestWithParam<testing::ReportEdgeInput> {};

TEST_P(CalcInput, AnOptionTakenOrRefusedInTheRulesWords) {
    const auto& entry = GetParam();
    std::map<std::string, std::string> given = ReportEdges().site;
    given[entry.field] = entry.text;
    std::string args = " --date " + ReportEdges().date;
    for (const auto& [key, text] : given) args += " " + kOptions.at(key) + " " + Quoted(text);
    if (entry.field == "focal") args += " --second-sat-lon 110";
    const auto run = Calc(args);
    if (!entry.error) {
        EXPECT_EQ(run.status, 0) << run.out;
        return;
    }
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("azimora-calc: " + kOptions.at(entry.field) + ": " + *entry.error + "\n"), std::string::npos)
        << run.out;
}

class CalcBatchColumn : public CalcInput {};

TEST_P(CalcBatchColumn, TakenOrRefusedInTheRulesWords) {
    const auto& entry = GetParam();
    std::map<std::string, std::string> given = ReportEdges().site;
    given[entry.field] = entry.text;
    const testing::TempFolder folder;
    const auto input = folder.Path() / "sites.csv";
    std::ofstream(input) << "name,lat,lon,sat_lon\nEdge,\"" << given["lat"] << "\",\"" << given["lon"] << "\",\""
                         << given["sat"] << "\"\n";
    const auto run = Calc(" --batch " + input.string() + " --date " + ReportEdges().date);
    std::istringstream text(run.out);
    std::string row;
    while (std::getline(text, row) && !row.starts_with("Edge,")) continue;
    if (!entry.error) {
        EXPECT_EQ(run.status, 0) << run.out;
        return;
    }
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(row.find(*entry.error), std::string::npos) << row;
}

// The entries a batch takes as columns; the rest are options only.
std::vector<testing::ReportEdgeInput> BatchColumnInputs() {
    std::vector<testing::ReportEdgeInput> inputs;
    for (const auto& entry : ReportEdges().inputs)
        if (entry.field == "lat" || entry.field == "lon" || entry.field == "sat") inputs.push_back(entry);
    return inputs;
}

INSTANTIATE_TEST_SUITE_P(Table, CalcInput, ::testing::ValuesIn(ReportEdges().inputs),
                         [](const auto& info) { return "input" + std::to_string(info.index); });
INSTANTIATE_TEST_SUITE_P(Table, CalcBatchColumn, ::testing::ValuesIn(BatchColumnInputs()),
                         [](const auto& info) { return "input" + std::to_string(info.index); });

}  // namespace
}  // namespace azimora
