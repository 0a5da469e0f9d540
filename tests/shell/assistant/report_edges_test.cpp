// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Installation Details and the installation sheet (both show the rows of
// InstallationRows) against the site report's table of edges
// (tests/engine/report/data/edge_cases.json): each row says what the
// report says.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDoubleSpinBox>
#include <QTest>

#include <map>

#include "assistant/installation_details_window.h"
#include "assistant/sky_chart_window.h"
#include "installation/installation_report.h"
#include "installation/report_caches.h"
#include "report/input_rules.h"
#include "event_bound.h"
#include "report_edges.h"
#include "tools_menu.h"
#include "window_fixture.h"

namespace azimora::shell {
namespace {

using azimora::testing::ReportEdgeCase;
using azimora::testing::ReportEdges;

// The main window's values for a case, as its boxes hold them after the entry.
DisplayValues ValuesOf(const ReportEdgeCase& edge) {
    const auto shown = [](InputField field, const std::string& text) {
        return QString::number(ReadInput(InputRuleOf(field), text), 'f', 6).toStdString();
    };
    DisplayValues values;
    values.LocName = "Edge";
    values.NLat = shown(InputField::Latitude, edge.Input("lat"));
    values.WLong = shown(InputField::Longitude, edge.Input("lon"));
    values.SatName = edge.Input("sat_name", "Test satellite");
    values.SatLong = shown(InputField::SatelliteLongitude, edge.Input("sat"));
    return values;
}

// The installed tables, read once for every case.
std::shared_ptr<const std::vector<ScanTableSatellite>> ScanTables() {
    static const auto tables = std::make_shared<const std::vector<ScanTableSatellite>>(ReadInstalledScanTables());
    return tables;
}

// Where the rows show each of the report's words, and whether the row is
// the words themselves or holds them among others.
struct Place {
    const char* label;
    bool whole;
};
const std::map<std::string, Place> kRows = {
    {"site", {"Location", false}},          {"satellite", {"Satellite", false}},
    {"azimuth", {"True azimuth", true}},    {"elevation", {"Elevation", true}},
    {"skew", {"LNB skew", true}},           {"face_tilt", {"Dish face tilt", true}},
    {"motor", {"Motor angle", true}},       {"compass_warning", {"Horizontal field", false}},
    {"magnetic_model", {"Magnetic model", true}}};

class DetailsEdge : public ::testing::TestWithParam<ReportEdgeCase> {};

TEST_P(DetailsEdge, TheRowsSayWhatTheReportSays) {
    const ReportEdgeCase& edge = GetParam();
    AssistantSettings settings;
    ReportCaches caches;
    caches.scanTables = ScanTables();
    if (!edge.Input("offset").empty()) settings.offsetAngle = std::stod(edge.Input("offset"));
    const QDateTime at = QDateTime::fromString(QString::fromStdString(edge.Input("date", ReportEdges().date)), Qt::ISODate);
    const InstallationReport report =
        BuildInstallationReport(CheckSite(ValuesOf(edge)), settings, ObstacleHorizon{}, caches, at, OutageMode::Later);
    ASSERT_TRUE(report.site) << report.problem;
    if (edge.needsScanTables && ScanTables()->empty()) GTEST_SKIP() << "dtv-scan-tables is not installed";
    std::map<QString, QString> rows;
    for (const InstallationRow& row : InstallationRows(report)) rows.emplace(row.label, row.value);
    if (edge.visible) {
        EXPECT_EQ(report.figures.visible, *edge.visible);
    }
    for (const auto& [key, words] : edge.words) {
        const auto place = kRows.find(key);
        if (place == kRows.end()) continue;  // the rows list outages by their times
        const QString label = QString::fromLatin1(place->second.label);
        if (edge.visible == false && (key == "skew" || key == "face_tilt" || key == "motor")) {
            // Said once for all three, in a row of its own.
            EXPECT_EQ(rows.count(label), 0u) << key;
            EXPECT_TRUE(rows[QStringLiteral("Out of sight")].startsWith("nothing to set"));
            continue;
        }
        ASSERT_EQ(rows.count(label), 1u) << "no row " << place->second.label;
        const QString expected = QString::fromStdString(words);
        if (place->second.whole)
            EXPECT_EQ(rows[label], expected) << key;
        else
            EXPECT_TRUE(rows[label].contains(expected)) << key << ": " << rows[label].toStdString();
    }
    for (const auto& [label, value] : rows)
        EXPECT_EQ(azimora::testing::NegativeZeroIn(value.toStdString()), "") << label.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Table, DetailsEdge, ::testing::ValuesIn(ReportEdges().cases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

// The dish's entries of Installation Details against the rules' table:
// an entry the calculator and the page take, the window's box holds; one
// past the range the box does not hold, or the report refuses it in the
// rules' words (the focal length's box keeps 0 for "the usual").
const std::map<std::string, QString> kBoxes = {
    {"dish", QStringLiteral("Dish diameter")}, {"freq", QStringLiteral("Frequency")},
    {"offset", QStringLiteral("Offset angle")}, {"focal", QStringLiteral("Focal length")}};

std::vector<azimora::testing::ReportEdgeInput> BoxInputs() {
    std::vector<azimora::testing::ReportEdgeInput> inputs;
    for (const auto& entry : ReportEdges().inputs) {
        char* end = nullptr;
        std::strtod(entry.text.c_str(), &end);
        if (kBoxes.count(entry.field) != 0 && *end == '\0') inputs.push_back(entry);
    }
    return inputs;
}

class DetailsEntryWindow : public shell::testing::WindowTest {};

class DetailsEntry : public shell::testing::WindowTest,
                     public ::testing::WithParamInterface<azimora::testing::ReportEdgeInput> {};

TEST_P(DetailsEntry, HeldOrRefusedAsTheRulesSay) {
    const auto& entry = GetParam();
    SetSite("Calgary", "51.08", "114.08", "Anik F1", "107.3");
    auto& details = ToolsMenu::Of(*window).openDetails();
    QDoubleSpinBox* box = nullptr;
    for (auto* candidate : details.findChildren<QDoubleSpinBox*>())
        if (candidate->accessibleName() == kBoxes.at(entry.field)) box = candidate;
    ASSERT_NE(box, nullptr) << kBoxes.at(entry.field).toStdString();
    const double typed = std::stod(entry.text);
    box->setValue(typed);
    details.refresh();
    const bool held = box->value() == typed;
    if (!entry.error) {
        EXPECT_TRUE(held) << box->value();
        EXPECT_TRUE(details.report().site) << details.report().problem;
        return;
    }
    if (held) {
        EXPECT_FALSE(details.report().site);
        EXPECT_EQ(details.report().problem, *entry.error);
    }
}

// The window reads the scan tables on another thread, and says the
// polarisation once they are there.
TEST_F(DetailsEntryWindow, ACircularSatelliteNeedsNoSkewOnceTheTablesAreRead) {
    if (ScanTables()->empty()) GTEST_SKIP() << "dtv-scan-tables is not installed";
    SetSite("Denver", "39.74", "104.99", "EchoStar 14", "119");
    auto& details = ToolsMenu::Of(*window).openDetails();
    const auto skew = [&] {
        for (const InstallationRow& row : InstallationRows(details.report()))
            if (row.label == "LNB skew") return row.value;
        return QString();
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return skew() == QString::fromLatin1(kCircularWords); },
                                azimora::testing::kEventBoundMs))
        << skew().toStdString();
}

// What the Sky Chart says of the chosen satellite follows the report's one
// threshold: at 0.5 degrees it is below the horizon, as in every front,
// though the chart draws it where it stands.
TEST_F(DetailsEntryWindow, TheSkyChartSaysBelowTheHorizonAsTheReportDoes) {
    for (const ReportEdgeCase& edge : ReportEdges().cases) {
        if (edge.visible != false) continue;
        const DisplayValues values = ValuesOf(edge);
        SetSite("Edge", values.NLat.c_str(), values.WLong.c_str(), "Test satellite", values.SatLong.c_str());
        auto& chart = ToolsMenu::Of(*window).openSkyChart();
        chart.refresh();
        EXPECT_TRUE(chart.summary().contains("Test satellite: ") && chart.summary().contains(", below the horizon."))
            << edge.name << ": " << chart.summary().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Table, DetailsEntry, ::testing::ValuesIn(BoxInputs()),
                         [](const auto& info) { return "input" + std::to_string(info.index); });

}  // namespace
}  // namespace azimora::shell
