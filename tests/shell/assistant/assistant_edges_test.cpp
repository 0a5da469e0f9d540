// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The assistant at the edges a new installer reaches: a site in another
// zone than the computer's, no satellite chosen, a satellite out of sight,
// clicks on the chart (the marks, the keyboard and the screen:
// assistant_windows_test.cpp).
#include <QAccessible>
#include <QComboBox>
#include <QRegularExpression>
#include <QTest>

#include "installation/assistant_session.h"
#include "assistant/installation_details_window.h"
#include "assistant/point_here.h"
#include "installation/site_time_zone.h"
#include "assistant/sky_chart_window.h"
#include "sky_chart/chart_words.h"
#include "sky_chart/sky_chart_painter.h"
#include "sky_chart/sky_chart_widget.h"
#include "tools_menu.h"
#include "system_zone.h"
#include "assistant_edges_fixture.h"

namespace azimora::shell {
namespace {

bool TownsInstalled() { return QFile::exists(QStringLiteral("/usr/share/libgweather-4/Locations.xml")); }

using testing::AssistantEdges;

QString Row(const InstallationDetailsWindow& details, const char* label) {
    for (const InstallationRow& row : InstallationRows(details.report()))
        if (row.label == label) return row.value;
    return QStringLiteral("(no row %1)").arg(label);
}

// Alberta's clocks on 2026-12-07 as the installed tz database has them:
// MST, UTC-7, in tzdata 2025b and 2026b; UTC-6 all year ("CST") in 2026f. The
// expectation follows the rules present, read through the C library.
struct AlbertaWinter {
    const char* clock;  // at 18:51:37 UTC
    const char* zone;
};
AlbertaWinter AlbertaWinterByTheSystemsRules() {
    const UnixSeconds winter = StartOfDay({2026, 12, 7}) + 18 * 3600 + 51 * 60 + 37;
    switch (azimora::testing::SystemZoneOffsetSeconds("America/Edmonton", winter)) {
    case -7 * 3600: return {"11:51:37 MST (UTC-7)", "MST (UTC-7)"};
    case -6 * 3600: return {"12:51:37 CST (UTC-6)", "CST (UTC-6)"};
    default: ADD_FAILURE() << "zone rules for Alberta that this test does not know"; return {"", ""};
    }
}

TEST(SiteTime, TimesNameTheirZone) {
    const UnixSeconds winter = StartOfDay({2026, 12, 7}) + 18 * 3600 + 51 * 60 + 37;
    EXPECT_EQ(ClockText(winter, QTimeZone("America/Edmonton")), AlbertaWinterByTheSystemsRules().clock);
    EXPECT_EQ(ClockText(winter, QTimeZone("America/Denver")), "11:51:37 MST (UTC-7)");
    EXPECT_EQ(ClockText(winter, QTimeZone("Australia/Sydney")), "05:51:37 AEDT (UTC+11)");
    EXPECT_EQ(ClockText(winter, QTimeZone("Asia/Kathmandu")), "00:36:37 (Asia/Kathmandu, UTC+5:45)");
    EXPECT_EQ(ClockText(winter, QTimeZone("Pacific/Tahiti")), "08:51:37 (Pacific/Tahiti, UTC-10)");
    EXPECT_EQ(ClockText(winter, QTimeZone::utc()), "18:51:37 UTC");
    // The site's day: 23 hours when the clocks go forward.
    const ZoneDay change = DayOf(StartOfDay({2026, 3, 8}) + 18 * 3600, QTimeZone("America/Edmonton"));
    EXPECT_EQ(change.end - change.start, 23 * 3600);
}

// The zone whose boundary holds the site, naming the site's town where the
// site is one; at sea the nearest town's within 200 km, else the nautical
// zone; a zone chosen by hand over all.
TEST(SiteTime, TheZoneOfTheSiteFromItsBoundary) {
    if (!TownsInstalled()) GTEST_SKIP() << "libgweather-4-common is not installed";
    const SiteZone calgary = ZoneOfSite(51.0833, 114.0833, "Calgary (Alberta)", {});
    EXPECT_EQ(calgary.zone.id(), "America/Edmonton");
    EXPECT_EQ(calgary.how, "the zone of Calgary (Alberta), the town of the site");
    const SiteZone farm = ZoneOfSite(51.3, 114.6, "My farm", {});
    EXPECT_EQ(farm.zone.id(), "America/Edmonton");
    EXPECT_EQ(farm.how, "the zone whose boundary holds the site");
    // libgweather's hints give Cancun Mexico City's zone and Udachnyy Moscow's.
    EXPECT_EQ(ZoneOfSite(21.1667, 86.8333, "Cancún", {}).zone.id(), "America/Cancun");
    EXPECT_EQ(ZoneOfSite(66.4167, -112.4, "Udachnyy", {}).zone.id(), "Asia/Yakutsk");
    // Lord Howe Island has no town of the list within 200 km.
    EXPECT_EQ(ZoneOfSite(-31.55, -159.083, "Lord Howe Island", {}).zone.id(), "Australia/Lord_Howe");
    // 100 km off Cape Cod, outside the territorial waters.
    const SiteZone offshore = ZoneOfSite(41.7, 68.8, "Georges Bank", {});
    EXPECT_TRUE(offshore.how.startsWith("the zone of the nearest town, ")) << offshore.how.toStdString();
    EXPECT_TRUE(offshore.how.endsWith("km away: the site lies outside every zone's boundary")) << offshore.how.toStdString();
    const SiteZone ocean = ZoneOfSite(30, 40, "Mid-Atlantic", {});
    EXPECT_EQ(ocean.zone.id(), "Etc/GMT+3");
    EXPECT_EQ(ocean.how, "the nautical zone of the longitude: the site lies at sea, outside every zone's boundary");
    const SiteZone chosen = ZoneOfSite(51.0833, 114.0833, "Calgary (Alberta)", "Europe/Zurich");
    EXPECT_EQ(chosen.zone.id(), "Europe/Zurich");
    EXPECT_EQ(chosen.how, "chosen by you");
}

// A Sydney site seen from a computer set to Edmonton time: Sydney's times,
// its day's sun path with morning to evening hours, never 12 to 24.
// A satellite due north of a southern site: 0, not 360, in the rows, the
// sentence a screen reader reads and the clipboard's text.
TEST_F(AssistantEdges, DueNorthIsZeroNotThreeHundredSixty) {
    SetSite("-33.8688", "-151.2093", "-151.2093", "Sydney");
    InstallationDetailsWindow& details = ToolsMenu::Of(*window).openDetails();
    QCoreApplication::processEvents();
    EXPECT_EQ(Row(details, "True azimuth"), QStringLiteral("0.00\u00B0"));
    EXPECT_TRUE(details.plainText().startsWith(QStringLiteral("Point the dish 0.00 degrees true"))) << details.plainText().toStdString();
    EXPECT_FALSE(details.plainText().contains(QStringLiteral("360.0"))) << details.plainText().toStdString();
}

TEST_F(AssistantEdges, ASiteInAnotherZoneGetsItsOwnTimes) {
    if (!TownsInstalled()) GTEST_SKIP() << "libgweather-4-common is not installed";
    qputenv("TZ", "America/Edmonton");
    ShowWindow();
    SetSite("-33.8678", "-151.2073", "-156", "Sydney (New South Wales)");
    auto& details = ToolsMenu::Of(*window).openDetails();
    details.setClock([] { return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(StartOfDay({2026, 12, 7}))); });
    EXPECT_EQ(details.report().zone.zone.id(), "Australia/Sydney");
    EXPECT_TRUE(Row(details, "Times").startsWith("AEDT (UTC+11), the zone of Sydney")) << Row(details, "Times").toStdString();
    for (const QString& time : Row(details, "Sun in the dish's azimuth today").split(QStringLiteral(", ")))
        EXPECT_TRUE(time.endsWith("AEDT (UTC+11)") || time == "not while the sun is up") << time.toStdString();
    auto& sky = ToolsMenu::Of(*window).openSkyChart();
    ASSERT_TRUE(sky.hasChart());
    ASSERT_FALSE(sky.chart().sunHours.empty());
    EXPECT_GE(sky.chart().sunHours.front().hour, 4);
    EXPECT_LE(sky.chart().sunHours.back().hour, 21);
    qunsetenv("TZ");
}

// Without a satellite the sky chart's sun is on the site's clock too, and
// its path one arc for each time the sun is up: no line from where it set
// to where it rose.
TEST_F(AssistantEdges, TheSunsHoursAreTheSitesWithoutASatellite) {
    qputenv("TZ", "America/Edmonton");
    ShowWindow();
    SetSite("-33.8678", "-151.2073", nullptr, "Sydney (New South Wales)");
    auto& sky = ToolsMenu::Of(*window).openSkyChart();
    QCoreApplication::processEvents();
    ASSERT_TRUE(sky.hasChart());
    EXPECT_FALSE(sky.summary().contains("Hours in UTC")) << sky.summary().toStdString();
    EXPECT_TRUE(sky.summary().contains("Hours on the site's clock, AE")) << sky.summary().toStdString();
    ASSERT_FALSE(sky.chart().sunHours.empty());
    EXPECT_GE(sky.chart().sunHours.front().hour, 4);
    EXPECT_LE(sky.chart().sunHours.back().hour, 21);
    EXPECT_EQ(sky.chart().sunPath.size(), 1u);
    qunsetenv("TZ");
}

// A satellite below the horizon stands on the chart's rim in its
// direction, never outside the circle.
TEST_F(AssistantEdges, ASatelliteBelowTheHorizonStandsOnTheRim) {
    ShowWindow();
    SetSite("51.0833", "114.0833", "-70", "Calgary");
    auto& sky = ToolsMenu::Of(*window).openSkyChart();
    QCoreApplication::processEvents();
    ASSERT_TRUE(sky.hasChart());
    ASSERT_LT(sky.chart().satellites.back().position.elevation, 0);
    SkyChartWidget& chart = sky.chartWidget();
    chart.resize(400, 400);
    const QImage image = chart.grab().toImage();
    const SkyProjection projection = SkyProjection::Fitting(chart.rect());
    const ChartColours colours = ChartColours::From(chart.palette());
    const double scale = image.width() / double(chart.width());
    // The label stands beside the ring, wherever it finds room.
    QRectF label;
    for (const ChartWord& word : LayOutChartWords(QFontMetricsF(chart.font(), &chart), projection, sky.chart(), sky.obstacles()).words) {
        if (word.kind != ChartWord::Kind::Chosen) continue;
        label = word.box;
        EXPECT_TRUE(word.text.contains("(below the horizon)")) << word.text.toStdString();
    }
    ASSERT_TRUE(label.isValid());
    int outside = 0, rim = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (label.contains(x / scale, y / scale)) continue;
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colours.selected.red()) + std::abs(c.green() - colours.selected.green()) +
                    std::abs(c.blue() - colours.selected.blue()) > 30)
                continue;
            const double r = std::hypot(x / scale - projection.centre().x(), y / scale - projection.centre().y());
            // The ring around the point on the rim reaches 9 beyond it.
            if (r > projection.radius() + 10) ++outside;
            else if (r > projection.radius() - 10) ++rim;
        }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(rim, 10);
}

// A zone chosen by hand holds for its site; the next site starts from its
// own (Pacific/Tahiti chosen at sea, then Calgary: Calgary's own zone).
TEST_F(AssistantEdges, AZoneChosenByHandStaysWithItsSite) {
    ShowWindow();
    SetSite("-17.5", "150", "150", "At sea");
    auto& details = ToolsMenu::Of(*window).openDetails();
    details.setClock([] { return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(StartOfDay({2026, 12, 7}))); });
    AssistantSession& session = AssistantSession::Of(*window);
    AssistantSettings settings = session.settings();
    settings.timeZone = "Pacific/Tahiti";
    session.setSettings(settings);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Row(details, "Times").startsWith("(Pacific/Tahiti, UTC-10), chosen by you")) << Row(details, "Times").toStdString();
    // The same site again (a keystroke that changes nothing of it): the choice holds.
    window->controller().SetValue(DisplayField::SatLong, "149");
    QCoreApplication::processEvents();
    EXPECT_EQ(session.settings().timeZone, "Pacific/Tahiti");
    SetSite("51.0833", "114.0833", "107.3", "Calgary");
    EXPECT_TRUE(session.settings().timeZone.isEmpty());
    EXPECT_TRUE(Row(details, "Times").startsWith(AlbertaWinterByTheSystemsRules().zone)) << Row(details, "Times").toStdString();
    auto* zones = details.findChild<QComboBox*>("timeZone");
    ASSERT_NE(zones, nullptr);
    EXPECT_EQ(zones->currentIndex(), 0);
}

TEST_F(AssistantEdges, NoSatelliteChosenShowsNoFigures) {
    ShowWindow();
    window->controller().tvwLocChange(*window->locations().FindNode("Calgary"));
    QCoreApplication::processEvents();
    auto& details = ToolsMenu::Of(*window).openDetails();
    EXPECT_FALSE(details.report().site);
    EXPECT_EQ(details.plainText(), kNoSatelliteNotice);
    auto& sky = ToolsMenu::Of(*window).openSkyChart();
    ASSERT_TRUE(sky.hasChart());  // the sky of the site, without a chosen one
    for (const ChartSatellite& satellite : sky.chart().satellites) EXPECT_FALSE(satellite.selected);
}

TEST_F(AssistantEdges, ASatelliteOutOfSightHasNothingToSet) {
    ShowWindow();
    window->controller().tvwLocChange(*window->locations().FindNode("Calgary"));
    window->controller().tvwSatChange(*window->satellites().FindNode("Astra 1A - 1H"));
    QCoreApplication::processEvents();
    auto& details = ToolsMenu::Of(*window).openDetails();
    ASSERT_TRUE(details.report().site);
    EXPECT_TRUE(Row(details, "Elevation").contains("cannot be seen from this site"));
    EXPECT_TRUE(Row(details, "Out of sight").startsWith("nothing to set"));
    EXPECT_EQ(Row(details, "LNB skew"), "(no row LNB skew)");
    EXPECT_FALSE(PointHereOf(details.report()));
}

TEST_F(AssistantEdges, TheFourNumbersToSetAsOneSentence) {
    ShowWindow();
    window->controller().tvwLocChange(*window->locations().FindNode("Calgary"));
    window->controller().tvwSatChange(*window->satellites().FindNode("Anik E2 - Star Choice (Canada)"));
    QCoreApplication::processEvents();
    auto& details = ToolsMenu::Of(*window).openDetails();
    const auto point = PointHereOf(details.report());
    ASSERT_TRUE(point);
    const QString sentence = PointHereSentence(*point);
    EXPECT_TRUE(sentence.startsWith("Point the dish 171.31 degrees true, ")) << sentence.toStdString();
    EXPECT_TRUE(sentence.contains("31.19 degrees up (an inclinometer on the face reads 8.89); LNB: turn the LNB 5.5\u00B0 "
                                  "counter-clockwise, seen from behind the dish."))
        << sentence.toStdString();
    auto* widget = details.findChild<PointHereWidget*>();
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(widget->isVisible());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description), sentence);
}

// The year's outage search runs off the window's thread: meanwhile it says
// so, never the outages of the site before; then they arrive.
TEST_F(AssistantEdges, OutagesArriveWhenReadyAndNeverStale) {
    ShowWindow();
    window->controller().tvwLocChange(*window->locations().FindNode("Calgary"));
    window->controller().tvwSatChange(*window->satellites().FindNode("Anik E2 - Star Choice (Canada)"));
    auto& details = ToolsMenu::Of(*window).openDetails();
    QTRY_VERIFY_WITH_TIMEOUT(Row(details, "Next sun outages").contains("(within"), azimora::testing::kEventBoundMs);
    const QString calgary = Row(details, "Next sun outages");
    // Another site: never Calgary's outages shown as its own.
    window->controller().SetValue(DisplayField::NLat, "53.57");
    QCoreApplication::processEvents();
    const QString now = Row(details, "Next sun outages");
    EXPECT_TRUE(now == "working them out\u2026" || now != calgary) << now.toStdString();
    QTRY_VERIFY_WITH_TIMEOUT(Row(details, "Next sun outages").contains("(within"), azimora::testing::kEventBoundMs);
    EXPECT_NE(Row(details, "Next sun outages"), calgary);
}

// On a German desktop the outages' days are still English, as the text around them.
TEST_F(AssistantEdges, OutageDatesSpeakTheSheetsLanguage) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ShowWindow();
    window->controller().tvwLocChange(*window->locations().FindNode("Calgary"));
    window->controller().tvwSatChange(*window->satellites().FindNode("Anik E2 - Star Choice (Canada)"));
    auto& details = ToolsMenu::Of(*window).openDetails();
    QTRY_VERIFY_WITH_TIMEOUT(Row(details, "Next sun outages").contains("(within"), azimora::testing::kEventBoundMs);
    const QString outages = Row(details, "Next sun outages");
    QLocale::setDefault(before);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("\\b(Mon|Tue|Wed|Thu|Fri|Sat|Sun) [0-9]+ (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) 20"))
                    .match(outages).hasMatch()) << outages.toStdString();
    EXPECT_FALSE(QRegularExpression(QStringLiteral("\\b(Mo|Di|Mi|Do|Fr|Sa|So)\\.")).match(outages).hasMatch())
        << outages.toStdString();
}

// A click on a satellite's dot names it and offers it; it never marks an obstacle.
TEST_F(AssistantEdges, ClickingASatelliteOffersToChooseIt) {
    ShowWindow();
    window->controller().tvwLocChange(*window->locations().FindNode("Calgary"));
    window->controller().tvwSatChange(*window->satellites().FindNode("Anik E2 - Star Choice (Canada)"));
    QCoreApplication::processEvents();
    auto& sky = ToolsMenu::Of(*window).openSkyChart();
    QCoreApplication::processEvents();
    SkyChartWidget& chart = sky.chartWidget();
    const ChartSatellite* galaxy = nullptr;
    for (const ChartSatellite& satellite : sky.chart().satellites)
        if (satellite.name == "Galaxy 3") galaxy = &satellite;
    ASSERT_NE(galaxy, nullptr);
    const SkyPosition where = galaxy->position;
    const auto click = [&] {
        const QPointF at = SkyProjection::Fitting(chart.rect()).point(where.azimuth, where.elevation);
        ASSERT_NE(chart.satelliteAt(at), nullptr);
        sky.offerSatellite(QString::fromStdString(chart.satelliteAt(at)->name));
    };
    dialogs.answers = {ConfirmAnswer::No};
    click();
    EXPECT_EQ(window->controller().Value(DisplayField::SatName), "Anik E2 - Star Choice (Canada)");
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_TRUE(dialogs.questions[0].ends_with("Make it the chosen satellite?")) << dialogs.questions[0];
    dialogs.answers = {ConfirmAnswer::Yes};
    click();
    QCoreApplication::processEvents();
    EXPECT_EQ(window->controller().Value(DisplayField::SatLong), window->satellites().FindNode(dialogs.questions[1].substr(
                                                                     0, dialogs.questions[1].find(':')))->Data1);
    EXPECT_TRUE(AssistantSession::Of(*window).obstacles().Points().empty());
    // The same through the mouse: a press on the dot, not a mark.
    QCoreApplication::processEvents();
    const QPointF at = SkyProjection::Fitting(chart.rect()).point(where.azimuth, where.elevation);
    dialogs.answers = {ConfirmAnswer::No};
    QTest::mouseClick(&chart, Qt::LeftButton, {}, at.toPoint());
    EXPECT_TRUE(AssistantSession::Of(*window).obstacles().Points().empty());
}

}  // namespace
}  // namespace azimora::shell
