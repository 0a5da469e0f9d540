// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The installation assistant: the Tools menu, Installation Details and the
// Sky Chart following the main window, the obstacle checks, the sheet.
#include <QAccessible>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>

#include "installation/assistant_session.h"
#include "assistant/installation_details_window.h"
#include "sheet/installation_sheet.h"
#include "assistant/obstacle_marks_editor.h"
#include "assistant/sky_chart_window.h"
#include "pdf_text.h"
#include "sky_chart/sky_chart_painter.h"
#include "sky_chart/sky_chart_widget.h"
#include "tools_menu.h"
#include "widgets/edit_box.h"
#include "widgets/shadow_label.h"
#include "window_fixture.h"

namespace azimora::shell {
namespace {

class Assistant : public testing::WindowTest {
protected:
    void ChooseCalgaryAndAnik() {
        window->controller().tvwLocChange(*window->locations().FindNode("Calgary"));
        window->controller().tvwSatChange(*window->satellites().FindNode("Anik E2 - Star Choice (Canada)"));
        Settle();
    }
    // The assistant's windows look at the main window's values once per turn of the event loop.
    static void Settle() { QCoreApplication::processEvents(); }
    static QString Row(const InstallationDetailsWindow& details, const char* label) {
        for (const InstallationRow& row : InstallationRows(details.report()))
            if (row.label == label) return row.value;
        return QStringLiteral("(no row %1)").arg(label);
    }
    static QStringList VisibleLabelTexts(const QWidget& widget) {
        QStringList texts;
        for (const QLabel* label : widget.findChildren<QLabel*>())
            if (label->isVisibleTo(&widget)) texts << label->text();
        return texts;
    }
};

TEST_F(Assistant, OneToolsMenuAfterFile) {
    ShowWindow();
    const QList<QAction*> menus = window->menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), "&File");
    EXPECT_EQ(menus[1]->text(), "&Tools");
    QStringList commands;
    for (const QAction* action : menus[1]->menu()->actions()) commands << action->text();
    EXPECT_EQ(commands, (QStringList{"Installation &Details...", "&Sky Chart...", "Save Installation S&heet...",
                                     "Export &Line of Sight...", "",
                                     "&Import Satellites...", "&Find Location..."}));
    // The File menu is as it was.
    QStringList file;
    for (const QAction* action : menus[0]->menu()->actions()) file << action->text();
    EXPECT_EQ(file, (QStringList{"&Print Results", "", "E&xit"}));
}

TEST_F(Assistant, WindowsAreNonModalOwnedByTheMainWindowAndOpenOnce) {
    ShowWindow();
    window->findChild<QAction*>("btnDetails")->trigger();
    window->findChild<QAction*>("btnSkyChart")->trigger();
    auto* details = window->findChild<InstallationDetailsWindow*>();
    auto* sky = window->findChild<SkyChartWindow*>();
    ASSERT_NE(details, nullptr);
    ASSERT_NE(sky, nullptr);
    EXPECT_TRUE(details->isWindow() && details->isVisible() && !details->isModal());
    EXPECT_TRUE(sky->isWindow() && sky->isVisible() && !sky->isModal());
    EXPECT_EQ(details->parentWidget(), window.get());
    EXPECT_EQ(&ToolsMenu::Of(*window).openDetails(), details);  // raised, not a second one
    EXPECT_EQ(window->findChildren<InstallationDetailsWindow*>().size(), 1);
}

TEST_F(Assistant, DetailsFollowTheMainWindowAndNeverShowStaleNumbers) {
    ShowWindow();
    auto& details = ToolsMenu::Of(*window).openDetails();
    EXPECT_FALSE(details.report().site.has_value());
    EXPECT_TRUE(VisibleLabelTexts(details).contains(kNoCalculationNotice));

    ChooseCalgaryAndAnik();
    ASSERT_TRUE(details.report().site.has_value());
    EXPECT_EQ(Row(details, "True azimuth"), "171.31\u00B0");
    EXPECT_EQ(Row(details, "Elevation"), "31.19\u00B0");
    EXPECT_TRUE(Row(details, "LNB skew").startsWith("turn the LNB 5.5\u00B0 counter-clockwise, seen from behind the dish"));
    EXPECT_TRUE(Row(details, "Compass bearing").contains("magnetic declination")) << Row(details, "Compass bearing").toStdString();
    EXPECT_TRUE(Row(details, "Magnetic model").startsWith("WMM2025"));
    EXPECT_EQ(Row(details, "Dish face tilt").left(6), "8.89\u00B0 ");
    EXPECT_TRUE(Row(details, "Motor angle").startsWith("7.49\u00B0 east of centre")) << Row(details, "Motor angle").toStdString();
    EXPECT_FALSE(VisibleLabelTexts(details).contains(kNoCalculationNotice));

    // Typing in the main window: followed at once.
    auto* latitude = Find<EditBox>("edtNLat");
    latitude->setFocus();
    latitude->selectAll();
    QTest::keyClicks(latitude, "45");
    Settle();
    EXPECT_DOUBLE_EQ(details.report().site->latitude, 45);
    // A coordinate taken away: the window says so, however the main window keeps its last result.
    latitude->selectAll();
    QTest::keyClick(latitude, Qt::Key_Delete);
    Settle();
    EXPECT_EQ(Find<ShadowLabel>("edtAzimuth")->text() != "0.00", true);
    EXPECT_FALSE(details.report().site.has_value());
    EXPECT_TRUE(VisibleLabelTexts(details).contains(kNoCalculationNotice));
    EXPECT_EQ(details.plainText(), kNoCalculationNotice);
}

TEST_F(Assistant, TheObstacleCheckAndTheDishEntries) {
    ShowWindow();
    ChooseCalgaryAndAnik();
    auto& details = ToolsMenu::Of(*window).openDetails();
    const auto boxes = details.findChildren<QDoubleSpinBox*>();
    const auto box = [&](const char* name) -> QDoubleSpinBox* {
        for (QDoubleSpinBox* b : boxes)
            if (b->accessibleName() == name) return b;
        ADD_FAILURE() << name;
        return nullptr;
    };
    EXPECT_DOUBLE_EQ(box("Offset angle")->value(), 22.3);
    EXPECT_DOUBLE_EQ(box("Dish diameter")->value(), 0.6);
    EXPECT_DOUBLE_EQ(box("Frequency")->value(), 12);
    // A 10 m high wall 10 m away, either side of the dish's azimuth, stands
    // 45 degrees high: blocked by 13.81.
    auto* marks = details.findChild<ObstacleMarksEditor*>();
    ASSERT_NE(marks, nullptr);
    auto* kind = marks->findChild<QComboBox*>();
    for (QComboBox* combo : marks->findChildren<QComboBox*>())
        if (combo->accessibleName() == "The obstacle given by") kind = combo;
    kind->setCurrentIndex(1);
    box("Height above the dish")->setValue(10);
    box("Distance")->setValue(10);
    for (const double azimuth : {165.0, 178.0}) {
        box("Mark azimuth")->setValue(azimuth);
        marks->addMark();
    }
    Settle();
    EXPECT_TRUE(Row(details, "Obstacles").endsWith("blocked by 13.81\u00B0")) << Row(details, "Obstacles").toStdString();
    AssistantSession::Of(*window).undo();
    AssistantSession::Of(*window).undo();  // one step only
    Settle();
    EXPECT_EQ(AssistantSession::Of(*window).obstacles().Points().size(), 1u);
    AssistantSession::Of(*window).clearObstacles();
    box("Distance")->setValue(40);  // atan(10/40) = 14.036; 31.192 - 14.036 = 17.156
    for (const double azimuth : {165.0, 178.0}) {
        box("Mark azimuth")->setValue(azimuth);
        marks->addMark();
    }
    Settle();
    EXPECT_TRUE(Row(details, "Obstacles").endsWith("clear by 17.16\u00B0")) << Row(details, "Obstacles").toStdString();
    box("Offset angle")->setValue(17);
    Settle();
    EXPECT_TRUE(Row(details, "Dish face tilt").startsWith("14.19\u00B0")) << Row(details, "Dish face tilt").toStdString();
    // A bigger dish narrows the outage window.
    const double before = details.report().figures.outageThreshold;
    box("Dish diameter")->setValue(1.2);
    Settle();
    EXPECT_LT(details.report().figures.outageThreshold, before);
    // Every figure is in text a screen reader and the clipboard get.
    EXPECT_TRUE(details.plainText().contains("True azimuth: 171.31\u00B0")) << details.plainText().toStdString();
    for (const QLabel* label : details.findChildren<QLabel*>()) {
        if (!(label->textInteractionFlags() & Qt::TextSelectableByKeyboard) || label->text().isEmpty()) continue;
        EXPECT_TRUE(label->accessibleName().endsWith(label->text())) << label->text().toStdString();
        EXPECT_NE(label->focusPolicy(), Qt::NoFocus);
    }
}

TEST_F(Assistant, TheSkyChartMarksObstaclesAndNamesWhatTheyBlock) {
    ShowWindow();
    ChooseCalgaryAndAnik();
    auto& sky = ToolsMenu::Of(*window).openSkyChart();
    ASSERT_TRUE(sky.hasChart());
    const ChartSatellite& anik = sky.chart().satellites.back();
    EXPECT_TRUE(anik.selected);
    EXPECT_FALSE(anik.blocked);
    EXPECT_TRUE(sky.summary().contains("Anik E2 - Star Choice (Canada): azimuth 171.3\u00B0, elevation 31.2\u00B0, clear."))
        << sky.summary().toStdString();

    // A click on the chart, just above the satellite, marks an obstacle there.
    SkyChartWidget& chart = sky.chartWidget();
    chart.resize(400, 400);
    const QPointF at = SkyProjection::Fitting(chart.rect()).point(anik.position.azimuth, anik.position.elevation);
    QTest::mouseClick(&chart, Qt::LeftButton, {}, at.toPoint() + QPoint(0, -8));
    Settle();
    ASSERT_EQ(sky.obstacles().Points().size(), 1u);
    // Two marks either side make a wall the satellite stands behind.
    sky.addObstacle({165, 40});
    sky.addObstacle({178, 40});
    Settle();
    EXPECT_TRUE(sky.chart().satellites.back().blocked);
    EXPECT_TRUE(sky.summary().contains("elevation 31.2\u00B0, blocked.")) << sky.summary().toStdString();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&chart)->text(QAccessible::Description), sky.summary());
    const ChartSatellite& chosen = sky.chart().satellites.back();  // of the chart as it is now
    const QPointF now = SkyProjection::Fitting(chart.rect()).point(chosen.position.azimuth, chosen.position.elevation);
    EXPECT_EQ(chart.toolTipAt(now), "Anik E2 - Star Choice (Canada)\nazimuth 171.3\u00B0, elevation 31.2\u00B0, blocked");

    // Other satellites of the catalogue, user ones included, on the arc.
    EXPECT_GT(sky.chart().satellites.size(), 40u);
    // No calculation: no chart.
    window->controller().SetValue(DisplayField::WLong, "");
    Settle();
    EXPECT_FALSE(sky.hasChart());
}

// The paper of LC_PAPER's territory (CLDR's paperSize data): Canada uses Letter.
TEST(InstallationSheet, PageSizeByThePapersTerritory) {
    EXPECT_EQ(SheetPageSize("en_US.UTF-8"), QPageSize::Letter);
    EXPECT_EQ(SheetPageSize("en_CA.UTF-8"), QPageSize::Letter);
    EXPECT_EQ(SheetPageSize("es_MX"), QPageSize::Letter);
    EXPECT_EQ(SheetPageSize("en_GB.UTF-8"), QPageSize::A4);
    EXPECT_EQ(SheetPageSize("de_DE@euro"), QPageSize::A4);
    EXPECT_EQ(SheetPageSize("C.UTF-8"), QPageSize::A4);
    EXPECT_EQ(WithPdfSuffix("sheet"), "sheet.pdf");
    EXPECT_EQ(WithPdfSuffix("sheet.PDF"), "sheet.PDF");
}

TEST_F(Assistant, TheSheetHoldsTheSiteTheSatelliteAndEveryFigure) {
    ShowWindow();
    QTemporaryDir folder;
    const QString file = folder.filePath("sheet.pdf");
    ToolsMenu::Of(*window).setSheetFileChooser([&](QWidget*) { return file; });
    ToolsMenu::Of(*window).saveSheet();
    EXPECT_EQ(dialogs.informations, (std::vector<std::string>{kNoCalculationNotice}));
    EXPECT_FALSE(QFile::exists(file));

    ChooseCalgaryAndAnik();
    ToolsMenu::Of(*window).saveSheet();
    ASSERT_TRUE(QFile::exists(file)) << dialogs.errors.size();
    const auto lines = testing::PdfLines(file);
    ASSERT_TRUE(lines.has_value());
    const QString text = lines->join(u'\n');
    for (const char* expected : {"Installation sheet", "Calgary, ALBERTA (51.08 N, 114.08 W)",
                                 "Anik E2 - Star Choice (Canada) (107.30 W)", "True azimuth", "171.31\u00B0",
                                 "Compass bearing", "WMM2025", "31.19\u00B0",
                                 "turn the LNB 5.5\u00B0 counter-clockwise, seen from behind the dish", "Motor angle",
                                 "Next sun outages", "Obstacle", "MN", "dish"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    }
    QProcess info;
    info.start("pdfinfo", {file});
    ASSERT_TRUE(info.waitForFinished(30000));
    const QString pdfinfo = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(QRegularExpression("Pages: +1\n").match(pdfinfo).hasMatch()) << pdfinfo.toStdString();
    EXPECT_TRUE(pdfinfo.contains("612 x 792 pts (letter)")) << pdfinfo.toStdString();  // the tests' locale is en_US
}

// On a real X server (ctest: desktop.skychart): the pixels on the screen
// show the arc across the southern sky and the chosen satellite where the
// dish points, just east of south.
TEST_F(Assistant, SkyChartOnScreenShowsTheArcAndTheSatellite) {
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs a real X server";
    ShowWindow();
    ChooseCalgaryAndAnik();
    auto& sky = ToolsMenu::Of(*window).openSkyChart();
    sky.resize(900, 620);  // the chart beside the obstacle marks
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sky, azimora::testing::kEventBoundMs));
    // On top: a grab of the window takes whatever covers it (the main window,
    // should the window manager raise it late on a busy machine).
    sky.raise();
    sky.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sky, azimora::testing::kEventBoundMs));
    SkyChartWidget& chart = sky.chartWidget();
    const ChartColours colours = ChartColours::From(chart.palette());
    QImage screen;
    double scale = 1;
    SkyProjection projection = SkyProjection::Fitting(chart.rect());
    const auto near = [&](QPointF logical, const QColor& colour, int reach) {
        int count = 0;
        const QPoint centre = (logical * scale).toPoint();
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx) {
                const QPoint p = centre + QPoint(dx, dy);
                if (!screen.rect().contains(p)) continue;
                const QColor c = screen.pixelColor(p);
                count += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                             std::abs(c.blue() - colour.blue()) < 40;
            }
        return count;
    };
    const ChartSatellite& anik = sky.chart().satellites.back();
    QPointF where;
    // What is on the screen once the window system has shown the last paint
    // (seconds on a busy machine): the chosen satellite's ring is the sign.
    const auto grab = [&] {
        screen = chart.screen()->grabWindow(chart.winId()).toImage();
        if (screen.isNull()) return false;
        scale = screen.width() / double(chart.width());
        projection = SkyProjection::Fitting(chart.rect());
        where = projection.point(anik.position.azimuth, anik.position.elevation);
        return near(where, colours.selected, 9) >= 20;
    };
    EXPECT_TRUE(QTest::qWaitFor(grab, azimora::testing::kEventBoundMs)) << "the chosen satellite's ring";
    ASSERT_FALSE(screen.isNull());
    EXPECT_GT(where.y(), projection.centre().y());  // the southern half
    EXPECT_GT(where.x(), projection.centre().x());  // east of south
    EXPECT_GE(near(where, colours.selected, 9), 20) << "the chosen satellite's ring";
    // The arc from the eastern to the western horizon: its line shows along
    // most of its length, between the satellites' dots on it.
    const auto& arc = sky.chart().geostationaryArc;
    int shown = 0;
    for (const SkyPosition& p : arc) shown += near(projection.point(p.azimuth, p.elevation), colours.arc, 2) > 0;
    EXPECT_GT(shown, static_cast<int>(arc.size()) / 2) << shown << " of " << arc.size();
    // East to west: east is on the right, as on a compass.
    EXPECT_GT(projection.point(arc.front().azimuth, arc.front().elevation).x(), projection.centre().x());
    EXPECT_LT(projection.point(arc.back().azimuth, arc.back().elevation).x(), projection.centre().x());
    // Far from the arc, in the northern sky, neither.
    EXPECT_EQ(near(projection.point(0, 45), colours.arc, 6), 0);
    EXPECT_EQ(near(projection.point(0, 45), colours.selected, 6), 0);
}

}  // namespace
}  // namespace azimora::shell
