// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The site report at its edges (data/edge_cases.json): what the engine says
// is what every front must show; the fronts' own tests hold them to it.
#include <gtest/gtest.h>

#include <cmath>

#include "errors.h"
#include "formats/dvb_scan_tables.h"
#include "report/input_rules.h"
#include "report/report_json.h"
#include "report/site_report.h"
#include "report_edges.h"
#include "text/json_reader.h"

namespace azimora {
namespace {

using testing::ReportEdgeCase;
using testing::ReportEdges;

const std::vector<ScanTableSatellite>* ScanTablesIfInstalled() {
    static const auto tables = [] {
        try {
            return std::optional(ReadScanTables().satellites);
        } catch (const Error&) {
            return std::optional<std::vector<ScanTableSatellite>>();
        }
    }();
    return tables ? &*tables : nullptr;
}

ReportRequest RequestOf(const ReportEdgeCase& edge) {
    ReportRequest request;
    InstallationInputs& in = request.installation;
    in.latitude = ReadInput(InputRuleOf(InputField::Latitude), edge.Input("lat"));
    in.longitudeWest = ReadInput(InputRuleOf(InputField::Longitude), edge.Input("lon"));
    in.satelliteLongitudeWest = ReadInput(InputRuleOf(InputField::SatelliteLongitude), edge.Input("sat"));
    in.offsetAngle = ReadInput(InputRuleOf(InputField::OffsetAngle), edge.Input("offset", "22.3"));
    in.instant = ParseIsoInstant(edge.Input("date", ReportEdges().date))->instant;
    request.satelliteName = edge.Input("sat_name");
    request.scanTables = ScanTablesIfInstalled();
    request.outages = OutageRequest::NextOne();
    return request;
}

std::map<std::string, std::string> WordsOf(const SiteReport& report) {
    std::map<std::string, std::string> words;
    const JsonValue json = ParseJson(ReportJson(report, IsoUtc));
    for (const JsonMember& member : json.Find("words")->members) words[member.name] = member.value.text;
    return words;
}

class ReportEdge : public ::testing::TestWithParam<ReportEdgeCase> {};

TEST_P(ReportEdge, SaysWhatTheTableSays) {
    const ReportEdgeCase& edge = GetParam();
    if (edge.needsScanTables && ScanTablesIfInstalled() == nullptr) GTEST_SKIP() << "dtv-scan-tables is not installed";
    const SiteReport report = BuildSiteReport(RequestOf(edge));
    const InstallationFigures& f = report.figures;
    const std::map<std::string, std::optional<double>> values = {
        {"skew", f.skew}, {"azimuth", BearingNumber(static_cast<double>(f.pointing.Azimuth))},
        {"elevation", static_cast<double>(f.pointing.Elevation)}, {"dish_tilt", f.dishTilt}};
    for (const auto& [name, expected] : edge.figures) {
        ASSERT_TRUE(values.at(name)) << name;
        EXPECT_NEAR(*values.at(name), expected.first, expected.second) << name;
    }
    if (edge.visible) {
        EXPECT_EQ(f.visible, *edge.visible);
    }
    if (edge.compassWarning) {
        EXPECT_EQ(CompassWarningKeyword(f), *edge.compassWarning);
    }
    const auto words = WordsOf(report);
    for (const auto& [key, expected] : edge.words) EXPECT_EQ(words.at(key), expected) << key;
    for (const auto& [key, text] : words) EXPECT_EQ(testing::NegativeZeroIn(text), "") << key << ": " << text;
}

INSTANTIATE_TEST_SUITE_P(Table, ReportEdge, ::testing::ValuesIn(ReportEdges().cases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

class InputEdge : public ::testing::TestWithParam<testing::ReportEdgeInput> {};

// Each entry at and past its range, by the one table of rules.
TEST_P(InputEdge, TakenOrRefusedInTheRulesWords) {
    const auto& entry = GetParam();
    const InputRule* rule = InputRuleByKey(entry.field);
    ASSERT_NE(rule, nullptr) << entry.field;
    try {
        (void)ReadInput(*rule, entry.text);
        EXPECT_FALSE(entry.error) << entry.field << " " << entry.text;
    } catch (const Error& error) {
        ASSERT_TRUE(entry.error) << entry.field << " " << entry.text << ": " << error.what();
        EXPECT_EQ(error.what(), *entry.error);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, InputEdge, ::testing::ValuesIn(ReportEdges().inputs),
                         [](const auto& info) { return "input" + std::to_string(info.index); });

// A value given as a number is checked as the same text typed would be.
TEST(InputRules, ANumberGivenIsCheckedAsTyped) {
    const InputRule& dish = InputRuleOf(InputField::DishDiameter);
    EXPECT_EQ(CheckInput(dish, 0.1), 0.1);
    try {
        (void)CheckInput(dish, 0.09);
        ADD_FAILURE() << "0.09 m taken";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "the dish diameter '0.09' lies outside 0.1 to 20 m");
    }
    EXPECT_THROW((void)CheckInput(dish, std::nan("")), Error);
    // Every rule's fallback lies within its own range.
    for (const InputRule& rule : InputRules()) {
        if (rule.fallback) {
            EXPECT_EQ(CheckInput(rule, *rule.fallback), *rule.fallback) << rule.key;
        }
    }
}

// The report refuses what its rules refuse, whichever front built the request.
TEST(SiteReport, RefusesAnInputOutsideItsRule) {
    ReportRequest request;
    request.installation.latitude = 91;
    try {
        (void)BuildSiteReport(request);
        ADD_FAILURE() << "a latitude of 91 taken";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "the latitude '91' lies outside -90 to 90 degrees");
    }
}

}  // namespace
}  // namespace azimora
