// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The assistant's windows under the user's hands: obstacle marks chosen,
// changed and removed, the wheel, the keyboard, and windows that fit the
// screen at any scale, beside the main window or where the user put them.
#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <set>

#include "installation/assistant_session.h"
#include "assistant/installation_details_window.h"
#include "assistant/line_of_sight_export.h"
#include "assistant/obstacle_marks_editor.h"
#include "assistant/sky_chart_window.h"
#include "outside_data/find_location_dialog.h"
#include "outside_data/import_satellites_dialog.h"
#include "outside_data/my_position_dialog.h"
#include "placement/tool_window.h"
#include "placement/tool_window_place.h"
#include "sky_chart/sky_chart_painter.h"
#include "sky_chart/sky_chart_widget.h"
#include "tools_menu.h"
#include "assistant_edges_fixture.h"
#include "paused_window_manager.h"

namespace azimora::shell {
namespace {

using testing::AssistantEdges;

TEST_F(AssistantEdges, MarksAreSelectedRemovedWithDeleteAndUndone) {
    ShowWindow();
    window->controller().tvwLocChange(*window->locations().FindNode("Calgary"));
    window->controller().tvwSatChange(*window->satellites().FindNode("Anik E2 - Star Choice (Canada)"));
    auto& sky = ToolsMenu::Of(*window).openSkyChart();
    AssistantSession& session = AssistantSession::Of(*window);
    session.addObstacle({100, 20});
    session.addObstacle({120, 25});
    QCoreApplication::processEvents();
    SkyChartWidget& chart = sky.chartWidget();
    const QPointF mark = SkyProjection::Fitting(chart.rect()).point(120, 25);
    QTest::mouseClick(&chart, Qt::LeftButton, {}, mark.toPoint());
    EXPECT_EQ(chart.selectedMark(), 1);
    EXPECT_EQ(session.obstacles().Points().size(), 2u);  // selected, not added
    QTest::keyClick(&chart, Qt::Key_Delete);
    QCoreApplication::processEvents();
    ASSERT_EQ(session.obstacles().Points().size(), 1u);
    EXPECT_EQ(session.obstacles().Points()[0].azimuth, 100);
    QTest::keyClick(&sky, Qt::Key_Z, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(session.obstacles().Points().size(), 2u);
    // The list in the window: Delete works there too.
    QListWidget& list = sky.marksEditor().list();
    list.setCurrentRow(0);
    QTest::keyClick(&list, Qt::Key_Delete);
    QCoreApplication::processEvents();
    EXPECT_EQ(session.obstacles().Points().size(), 1u);
    EXPECT_TRUE(sky.summary().contains("Obstacle marks: 25.0\u00B0 at 120.0\u00B0.")) << sky.summary().toStdString();
    // A mark typed as read on a compass becomes a true azimuth: the compass
    // reads the true azimuth less the declination (12.5 E).
    ObstacleMarksEditor& editor = sky.marksEditor();
    editor.setDeclination([] { return 12.5; });
    for (QDoubleSpinBox* box : editor.findChildren<QDoubleSpinBox*>())
        if (box->accessibleName() == "Mark azimuth") box->setValue(100);
    for (QComboBox* combo : editor.findChildren<QComboBox*>())
        if (combo->accessibleName() == "Azimuth read as") combo->setCurrentIndex(1);
    EXPECT_DOUBLE_EQ(editor.trueAzimuth(), 112.5);
}

// A mark read on a compass takes the declination of the site of the moment:
// Calgary (13.3 E) then New York (12.5 W by WMM2025): 100 on the compass in
// New York is 87.5 true, not Calgary's 113.3.
TEST_F(AssistantEdges, ACompassMarkTakesTheDeclinationOfTheSiteOfTheMoment) {
    ShowWindow();
    SetSite("51.0833", "114.0833", "107.3", "Calgary");
    auto& details = ToolsMenu::Of(*window).openDetails();
    QCoreApplication::processEvents();
    // Find Location: New York; the windows have not looked again yet.
    window->controller().SetValue(DisplayField::LocName, "New York");
    window->controller().SetValue(DisplayField::NLat, "40.7128");
    window->controller().SetValue(DisplayField::WLong, "74.006");
    auto* editor = details.findChild<ObstacleMarksEditor*>();
    ASSERT_NE(editor, nullptr);
    for (QDoubleSpinBox* box : editor->findChildren<QDoubleSpinBox*>())
        if (box->accessibleName() == "Mark azimuth") box->setValue(100);
    for (QComboBox* combo : editor->findChildren<QComboBox*>())
        if (combo->accessibleName() == "Azimuth read as") combo->setCurrentIndex(1);
    EXPECT_NEAR(editor->trueAzimuth(), 87.5, 0.1);
}

// A mark chosen in the list loads into the entries; Apply or Enter changes
// it in place, one step to undo.
TEST_F(AssistantEdges, AChosenMarkIsChangedInPlace) {
    ShowWindow();
    SetSite("51.0833", "114.0833", "107.3", "Calgary");
    auto& details = ToolsMenu::Of(*window).openDetails();
    auto* editor = details.findChild<ObstacleMarksEditor*>();
    ASSERT_NE(editor, nullptr);
    const auto box = [&](const char* name) {
        for (QDoubleSpinBox* b : editor->findChildren<QDoubleSpinBox*>())
            if (b->accessibleName() == name) return b;
        ADD_FAILURE() << name;
        return static_cast<QDoubleSpinBox*>(nullptr);
    };
    AssistantSession& session = AssistantSession::Of(*window);
    session.clearObstacles();
    session.addObstacle({150, 10});
    session.addObstacle({200, 20});
    QCoreApplication::processEvents();
    editor->selectMark(1);
    EXPECT_DOUBLE_EQ(box("Mark azimuth")->value(), 200);
    EXPECT_DOUBLE_EQ(box("Mark elevation")->value(), 20);
    box("Mark elevation")->setValue(25);
    auto* apply = editor->findChild<QPushButton*>(QStringLiteral("applyToMark"));
    ASSERT_NE(apply, nullptr);
    ASSERT_TRUE(apply->isEnabled());
    apply->click();
    ASSERT_EQ(session.obstacles().Points().size(), 2u);
    EXPECT_DOUBLE_EQ(session.obstacles().Points()[1].azimuth, 200);
    EXPECT_DOUBLE_EQ(session.obstacles().Points()[1].elevation, 25);
    // Enter in an entry: the first mark moved past the second, still chosen.
    editor->selectMark(0);
    box("Mark azimuth")->setValue(250);
    QTest::keyClick(box("Mark azimuth"), Qt::Key_Return);
    ASSERT_EQ(session.obstacles().Points().size(), 2u);
    EXPECT_DOUBLE_EQ(session.obstacles().Points()[1].azimuth, 250);
    EXPECT_DOUBLE_EQ(session.obstacles().Points()[1].elevation, 10);
    EXPECT_EQ(editor->list().currentRow(), 1);
    session.undo();
    EXPECT_DOUBLE_EQ(session.obstacles().Points()[0].azimuth, 150);
    EXPECT_DOUBLE_EQ(session.obstacles().Points()[1].elevation, 25);
}

// The wheel over a number box without the focus scrolls the pane, never the
// number; with the focus it changes it.
TEST_F(AssistantEdges, TheWheelChangesOnlyTheBoxWithTheFocus) {
    ShowWindow();
    SetSite("51.0833", "114.0833", "107.3", "Calgary");
    auto& details = ToolsMenu::Of(*window).openDetails();
    QCoreApplication::processEvents();
    QDoubleSpinBox* offset = nullptr;
    for (QDoubleSpinBox* box : details.findChildren<QDoubleSpinBox*>())
        if (box->accessibleName().contains("ffset")) offset = box;
    ASSERT_NE(offset, nullptr);
    const double before = offset->value();
    const auto wheel = [&] {
        const QPointF at(offset->width() / 2.0, offset->height() / 2.0);
        QWheelEvent event(at, offset->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(offset, &event);
    };
    offset->clearFocus();
    for (int notch = 0; notch < 3; ++notch) wheel();
    EXPECT_EQ(offset->value(), before);
    EXPECT_NE(offset->focusPolicy(), Qt::WheelFocus);
    offset->setFocus();
    details.activateWindow();
    if (offset->hasFocus()) {
        wheel();
        EXPECT_NE(offset->value(), before);
    }
}

// Each window: Escape closes it, a Close button, letters that are unique.
TEST_F(AssistantEdges, WindowsAnswerTheKeyboard) {
    ShowWindow();
    const auto mnemonics = [](const QWidget& window) {
        std::multiset<QChar> letters;
        for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
            const qsizetype at = button->text().indexOf(u'&');
            if (at >= 0 && at + 1 < button->text().size()) letters.insert(button->text()[at + 1].toLower());
        }
        for (const QLabel* label : window.findChildren<QLabel*>()) {
            const qsizetype at = label->text().indexOf(u'&');
            if (at >= 0 && at + 1 < label->text().size() && label->buddy() != nullptr) letters.insert(label->text()[at + 1].toLower());
        }
        return letters;
    };
    const auto unique = [](const std::multiset<QChar>& letters) {
        for (const QChar letter : letters)
            if (letters.count(letter) > 1) return QString(letter);
        return QString();
    };
    for (QWidget* tool : std::initializer_list<QWidget*>{&ToolsMenu::Of(*window).openDetails(),
                                                          &ToolsMenu::Of(*window).openSkyChart()}) {
        QCoreApplication::processEvents();
        EXPECT_EQ(unique(mnemonics(*tool)), "") << tool->windowTitle().toStdString();
        auto* close = tool->findChild<QPushButton*>("close");
        ASSERT_NE(close, nullptr) << tool->windowTitle().toStdString();
        EXPECT_EQ(QAccessible::queryAccessibleInterface(tool)->role(), QAccessible::Window);
        QPointer<QWidget> alive(tool);
        tool->activateWindow();
        QTest::keyClick(tool, Qt::Key_Escape);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(alive.isNull() || !alive->isVisible()) << "Escape leaves it open";
    }
    // The Tools menu.
    std::multiset<QChar> menu;
    for (const QAction* action : window->findChild<QMenu*>("Tools1")->actions()) {
        const qsizetype at = action->text().indexOf(u'&');
        if (at >= 0) menu.insert(action->text()[at + 1].toLower());
    }
    EXPECT_EQ(unique(menu), "");
}

// The frame the window manager put round a window (_NET_FRAME_EXTENTS, as
// Qt reads it); none before it has framed the window, nor while Qt's
// reading of it is negative (a frame not yet sized).
QMargins WindowManagerFrame(const QWidget& shown) {
    const QMargins margins = shown.windowHandle() != nullptr ? shown.windowHandle()->frameMargins() : QMargins();
    return margins.left() < 0 || margins.top() < 0 || margins.right() < 0 || margins.bottom() < 0 ? QMargins() : margins;
}

// Once framed (on a busy machine the window manager may take seconds), the
// window stands within the screen, frame and all.
void ExpectFramedWithin(const QWidget& window, const QRect& available) {
    QRect frame;
    const auto framedWithin = [&] {
        const QMargins extents = WindowManagerFrame(window);
        frame = window.geometry().marginsAdded(extents);
        return !extents.isNull() && available.contains(frame);
    };
    EXPECT_TRUE(QTest::qWaitFor(framedWithin, azimora::testing::kEventBoundMs))
        << window.windowTitle().toStdString() << ": " << frame.x() << "," << frame.y() << " " << frame.width() << "x"
        << frame.height() << " on " << available.width() << "x" << available.height();
}

// On a real X server at a scale factor of 2 on a 1280 x 1024 screen
// (ctest: desktop.windows-scaled2x): both windows open whole on the screen.
TEST_F(AssistantEdges, WindowsFitTheScreenAtAnyScale) {
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs a real X server";
    ShowWindow();
    window->controller().tvwLocChange(*window->locations().FindNode("Calgary"));
    window->controller().tvwSatChange(*window->satellites().FindNode("Anik E2 - Star Choice (Canada)"));
    const QRect available = window->screen()->availableGeometry();
    for (QWidget* tool : std::initializer_list<QWidget*>{&ToolsMenu::Of(*window).openDetails(),
                                                          &ToolsMenu::Of(*window).openSkyChart()}) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(tool, azimora::testing::kEventBoundMs));
        ExpectFramedWithin(*tool, available);
        // What shows of every button lies on the screen (those in a
        // scrolling part may be scrolled out of view), Close all of it.
        for (const QPushButton* button : tool->findChildren<QPushButton*>()) {
            const QRegion shown = button->visibleRegion();
            if (!button->isVisible() || shown.isEmpty()) continue;
            const QRect global(button->mapToGlobal(shown.boundingRect().topLeft()), shown.boundingRect().size());
            EXPECT_TRUE(available.contains(global)) << button->text().toStdString();
        }
        const auto* close = tool->findChild<QPushButton*>("close");
        ASSERT_NE(close, nullptr);
        EXPECT_EQ(close->visibleRegion().boundingRect().size(), close->size());
        EXPECT_TRUE(available.contains(QRect(close->mapToGlobal(QPoint(0, 0)), close->size())));
    }
}

// Every dialog of the Tools menu whole on the screen, its buttons on it.
TEST_F(AssistantEdges, WindowsFitTheScreenDialogsToo) {
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs a real X server";
    ShowWindow();
    window->controller().tvwLocChange(*window->locations().FindNode("Calgary"));
    window->controller().tvwSatChange(*window->satellites().FindNode("Anik E2 - Star Choice (Canada)"));
    const QRect available = window->screen()->availableGeometry();
    ToolsMenu& tools = ToolsMenu::Of(*window);
    FindLocationDialog& find = tools.openFindLocation();
    const std::initializer_list<QWidget*> dialogs{static_cast<QWidget*>(&tools.openImport()), static_cast<QWidget*>(&find),
                                                  static_cast<QWidget*>(&find.openMyPosition()),
                                                  static_cast<QWidget*>(&tools.openLineOfSight())};
    for (QWidget* dialog : dialogs) {
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog, azimora::testing::kEventBoundMs));
        ExpectFramedWithin(*dialog, available);
        for (const QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (!button->isVisible()) continue;
            EXPECT_EQ(button->visibleRegion().boundingRect().size(), button->size())
                << dialog->windowTitle().toStdString() << ": " << button->text().toStdString() << " cut";
            EXPECT_TRUE(available.contains(QRect(button->mapToGlobal(QPoint(0, 0)), button->size())))
                << dialog->windowTitle().toStdString() << ": " << button->text().toStdString();
        }
    }
}

// A summary of many lines (a long name, blocked satellites) scrolls below
// the chart; the chart keeps its size.
TEST_F(AssistantEdges, TheChartKeepsItsSizeWhateverTheSummarySays) {
    ShowWindow();
    SetSite("51.08", "114.08", "107.3", "Calgary");
    auto& sky = ToolsMenu::Of(*window).openSkyChart();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sky, azimora::testing::kEventBoundMs));
    sky.resize(760, 560);
    QTest::qWait(50);
    const QSize shown = sky.size();
    const QSize before = sky.chartWidget().size();
    const QString name = QStringLiteral("A satellite whose name goes on ").repeated(12);
    window->controller().SetValue(DisplayField::SatName, name.toStdString());
    for (int azimuth = 100; azimuth <= 260; azimuth += 10) sky.addObstacle({double(azimuth), 35});
    QTest::qWait(50);
    ASSERT_TRUE(sky.summary().contains(name)) << sky.summary().toStdString();
    EXPECT_EQ(sky.chartWidget().size(), before) << sky.chartWidget().width() << "x" << sky.chartWidget().height();
    EXPECT_EQ(sky.size(), shown) << "the window grew: " << sky.width() << "x" << sky.height();
    EXPECT_GE(std::min(before.width(), before.height()), 300);
}

// The obstacle marks beside the chart are never cut: their column is as
// wide as their boxes and buttons need, in the window as it opens and at
// its least size of use, so nothing scrolls sideways.
TEST_F(AssistantEdges, TheMarksBesideTheChartAreNeverCut) {
    ShowWindow();
    SetSite("51.08", "114.08", "107.3", "Calgary");
    auto& sky = ToolsMenu::Of(*window).openSkyChart();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sky, azimora::testing::kEventBoundMs));
    auto* marks = sky.findChild<ObstacleMarksEditor*>();
    ASSERT_NE(marks, nullptr);
    QScrollArea* column = nullptr;
    for (QWidget* up = marks->parentWidget(); up != nullptr && column == nullptr; up = up->parentWidget())
        column = qobject_cast<QScrollArea*>(up);
    ASSERT_NE(column, nullptr);
    for (const QSize size : {sky.size(), QSize(700, 460)}) {
        sky.resize(size);
        QTest::qWait(50);
        EXPECT_GE(column->viewport()->width(), marks->minimumSizeHint().width())
            << "at " << sky.width() << "x" << sky.height() << " the marks need " << marks->minimumSizeHint().width()
            << " and are shown in " << column->viewport()->width();
    }
}

// The main window's boxes on the screen, by their names.
QList<QRect> MainWindowBoxes(const QWidget& window) {
    QList<QRect> boxes;
    for (const char* name : {"edtSatName", "edtSatLong", "edtLocName", "edtNLat", "edtWLong", "edtAzimuth", "edtElevation",
                             "tvwSat", "tvwLoc"}) {
        const auto* box = window.findChild<QWidget*>(QString::fromLatin1(name));
        if (box != nullptr) boxes.append(QRect(box->mapToGlobal(QPoint(0, 0)), box->size()));
    }
    return boxes;
}

// At every scale: each tool window beside the main window where the screen
// has room for it, else hiding no more of its boxes than any place would,
// and never the box being typed in.
TEST_F(AssistantEdges, WindowsFitBesideOrOffTheFocusedBox) {
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs a real X server";
    ShowWindow();
    window->controller().tvwSatChange(*window->satellites().FindNode("Anik E2 - Star Choice (Canada)"));
    const QRect available = window->screen()->availableGeometry();
    // Typing in a box; going through the satellites' listing, its current
    // row what must stay in sight.
    for (const char* focusName : {"edtWLong", "tvwSat"}) {
        auto* focus = Find<QWidget>(focusName);
        focus->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return focus->hasFocus(); }, azimora::testing::kEventBoundMs));
        QRect focused(focus->mapToGlobal(QPoint(0, 0)), focus->size());
        if (auto* listing = qobject_cast<QAbstractItemView*>(focus)) {
            const QRect row = listing->visualRect(listing->currentIndex());
            ASSERT_FALSE(row.isEmpty()) << "no current row";
            focused = QRect(listing->viewport()->mapToGlobal(row.topLeft()), row.size());
        }
        for (ToolWindow* tool : std::initializer_list<ToolWindow*>{&ToolsMenu::Of(*window).openDetails(),
                                                                   &ToolsMenu::Of(*window).openSkyChart()}) {
            const std::string name = tool->windowTitle().toStdString() + " with the focus in " + focusName;
            ASSERT_TRUE(QTest::qWaitFor([tool] { return tool->placed(); }, azimora::testing::kEventBoundMs)) << name;
            ExpectFramedWithin(*tool, available);
            const QRect outer = tool->geometry().marginsAdded(WindowManagerFrame(*tool));
            const QRect owner = window->geometry().marginsAdded(WindowManagerFrame(*window));
            EXPECT_FALSE(outer.intersects(focused)) << name << ": it hides what is being worked on";
            const QList<QRect> boxes = MainWindowBoxes(*window);
            // Every place a frame of this size could take, a step of 4 pixels.
            bool roomBeside = false;
            int fewest = boxes.size();
            for (int x = available.left(); x + outer.width() <= available.right() + 1; x += 4) {
                for (int y = available.top(); y + outer.height() <= available.bottom() + 1; y += 4) {
                    const QRect at(QPoint(x, y), outer.size());
                    roomBeside = roomBeside || !at.intersects(owner);
                    if (!at.intersects(focused)) fewest = std::min(fewest, BoxesHidden(at, boxes));
                }
            }
            if (roomBeside) {
                EXPECT_FALSE(outer.intersects(owner)) << name << ": it covers the main window though there is room beside it";
            }
            EXPECT_LE(BoxesHidden(outer, boxes), fewest) << name;
            tool->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Where the user puts a tool window, it opens next time.
TEST_F(AssistantEdges, WindowsFitWhereTheUserPutThem) {
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs a real X server";
    ShowWindow();
    const QRect available = window->screen()->availableGeometry();
    ToolWindow* details = &ToolsMenu::Of(*window).openDetails();
    ASSERT_TRUE(QTest::qWaitFor([details] { return details->placed(); }, azimora::testing::kEventBoundMs));
    ExpectFramedWithin(*details, available);
    const QMargins frame = WindowManagerFrame(*details);
    // The user drags it to the screen's top left corner. (Placed by its
    // client area: a move() by the frame takes Qt's idea of the frame, which
    // on a busy machine may still be none.)
    const QPoint corner = available.topLeft() + QPoint(frame.left(), frame.top());
    details->setGeometry(QRect(corner, details->size()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return details->geometry().topLeft() == corner; }, azimora::testing::kEventBoundMs))
        << details->geometry().x() << "," << details->geometry().y();
    const QSize size = details->size();
    details->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    details = &ToolsMenu::Of(*window).openDetails();
    ASSERT_TRUE(QTest::qWaitFor([details] { return details->placed(); }, azimora::testing::kEventBoundMs));
    EXPECT_EQ(details->geometry(), QRect(corner, size));
}

// The window manager frames the main window and its tool windows late (a
// busy machine): once framed, every window stands whole on the screen and
// the tool windows beside the main window.
TEST_F(AssistantEdges, WindowsFitTheScreenWhenFramedLate) {
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs a real X server";
    std::vector<QWidget*> tools;
    {
        azimora::testing::PausedWindowManager paused;
        ASSERT_TRUE(paused.active()) << "run under with-x-server.sh";
        window->show();
        tools = {&ToolsMenu::Of(*window).openDetails(), &ToolsMenu::Of(*window).openSkyChart()};
        // Longer than a program that gives up on the frame after a second waits.
        QTest::qWait(2500);
    }
    const QRect available = window->screen()->availableGeometry();
    for (QWidget* shown : {static_cast<QWidget*>(window.get()), tools[0], tools[1]}) ExpectFramedWithin(*shown, available);
}

}  // namespace
}  // namespace azimora::shell
