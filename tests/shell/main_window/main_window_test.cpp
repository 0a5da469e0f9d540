// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <QAccessible>
#include <QFontInfo>
#include <QAccessibleEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>

#include "app/qt_dialogs.h"
#include "controller/controller.h"
#include "geometry/pointing.h"
#include "lists/userlists.h"
#include "main_window/status_clock.h"
#include "trees/catalogue_tree_view.h"
#include "widgets/edit_box.h"
#include "widgets/flat_panel.h"
#include "widgets/shadow_label.h"
#include "window_fixture.h"
#include "event_bound.h"

namespace azimora::shell {
namespace {

using testing::WindowTest;

QString Text(const QWidget* widget) {
    if (const auto* box = qobject_cast<const QLineEdit*>(widget)) return box->text();
    return static_cast<const ShadowLabel*>(widget)->text();
}

class MainWindow : public WindowTest {
protected:
    QString Shown(const char* name) { return Text(Find<QWidget>(name)); }
    void Choose(CatalogueTreeView* view, const CatalogueNode* node) {
        ASSERT_NE(node, nullptr);
        view->selectNode(node);
    }
};

TEST_F(MainWindow, StartsWithTheInitialTextsAndTheFocusInTheSatelliteName) {
    ShowWindow();
    EXPECT_EQ(window->windowTitle(), "Azimora 2.0");
    const std::pair<const char*, const char*> initial[] = {
        {"edtSatName", "No satellite selected."}, {"edtSatLong", "0.00"}, {"edtLocName", "No location selected."},
        {"edtNLat", "0.00"}, {"edtWLong", "0.00"}, {"edtAzimuth", "0.00"}, {"edtElevation", "0.00"},
        {"fcLabel16", "Sat. Longitude (0 to +360)"}, {"fcLabel12", "Elevation:"}, {"fcLabel2", "Location Listing:"}};
    for (const auto& [name, text] : initial) EXPECT_EQ(Shown(name), text) << name;
    auto* satName = Find<EditBox>("edtSatName");
    EXPECT_TRUE(satName->hasFocus());
    EXPECT_EQ(satName->selectedText(), "No satellite selected.");
    EXPECT_EQ(window->centralWidget()->size(), TfrmKorvel::kClientSize);
}

TEST_F(MainWindow, LaysOutEveryWidgetWhereItBelongs) {
    ShowWindow();
    const std::pair<const char*, QRect> geometry[] = {
        {"RzStatusBar1", {0, 400, 600, 19}}, {"pnlSatellite", {0, 0, 600, 41}}, {"pnlLocation", {0, 41, 600, 41}},
        {"pnlResults", {0, 82, 600, 23}},    {"RzPanel2", {0, 107, 280, 290}},  {"RzPanel3", {285, 107, 315, 290}},
        {"tvwSat", {5, 16, 268, 271}},       {"tvwLoc", {6, 16, 302, 269}},     {"edtSatName", {128, 15, 177, 21}},
        {"btnSatSave", {305, 15, 21, 22}},   {"edtSatLong", {344, 15, 65, 21}}, {"edtLocName", {128, 14, 177, 21}},
        {"edtWLong", {480, 15, 65, 21}},     {"edtAzimuth", {184, 2, 161, 15}}, {"edtElevation", {399, 2, 161, 18}},
        {"fcLabel16", {345, 1, 160, 12}},
    };
    for (const auto& [name, rect] : geometry) EXPECT_EQ(Find<QWidget>(name)->geometry(), rect) << name;
    // Right-aligned labels keep their right edges.
    EXPECT_EQ(Find<QWidget>("fcLabel6")->geometry().right() + 1, 180);
    EXPECT_EQ(Find<QWidget>("fcLabel12")->geometry().right() + 1, 396);
}

TEST_F(MainWindow, ResizingMovesOnlyWhatIsAnchored) {
    ShowWindow();
    const QSize before = window->size();
    window->resize(before + QSize(100, 0));
    EXPECT_EQ(Find<QWidget>("pnlSatellite")->width(), 700);
    EXPECT_EQ(Find<QWidget>("pnlResults")->width(), 700);
    EXPECT_EQ(Find<QWidget>("RzPanel3")->width(), 415);
    EXPECT_EQ(Find<QWidget>("tvwLoc")->width(), 402);
    EXPECT_EQ(Find<QWidget>("RzPanel2")->width(), 280);
    EXPECT_EQ(Find<QWidget>("tvwSat")->width(), 268);
    EXPECT_EQ(Find<QWidget>("RzStatusBar1")->geometry(), QRect(0, 400, 700, 19));
    window->resize(before + QSize(0, 100));
    EXPECT_EQ(Find<QWidget>("RzPanel2")->height(), 390);
    EXPECT_EQ(Find<QWidget>("RzPanel3")->height(), 390);
    EXPECT_EQ(Find<QWidget>("tvwSat")->height(), 371);
    EXPECT_EQ(Find<QWidget>("tvwLoc")->height(), 369);
    EXPECT_EQ(Find<QWidget>("pnlLocation")->height(), 41);
    EXPECT_EQ(Find<QWidget>("RzStatusBar1")->geometry(), QRect(0, 500, 600, 19));
}

// Guarantee 1: writing a widget's current text changes nothing.
TEST_F(MainWindow, WritingTheCurrentTextRaisesNothing) {
    ShowWindow();
    auto* nLat = Find<EditBox>("edtNLat");
    QSignalSpy changed(nLat, &QLineEdit::textChanged);
    nLat->setText(nLat->text());
    Find<EditBox>("edtSatName")->setText("No satellite selected.");
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(dialogs.errors.empty());
}

// Guarantee 2: a new coordinate text recalculates before the write returns.
TEST_F(MainWindow, WritingACoordinateRecalculatesAtOnce) {
    ShowWindow();
    Find<EditBox>("edtSatLong")->setText("107.3");
    Find<EditBox>("edtWLong")->setText("114.08");
    Find<EditBox>("edtNLat")->setText("51.08");
    EXPECT_EQ(Shown("edtAzimuth"), "171.306422331434");
    EXPECT_EQ(Shown("edtElevation"), "31.1920790500568");
    // The name boxes only keep the controller's copy current.
    Find<EditBox>("edtSatName")->setText("My Bird");
    EXPECT_EQ(window->controller().Values().SatName, "My Bird");
}

// Guarantee 3: typed characters, Backspace included, pass the key filter first.
TEST_F(MainWindow, TypingGoesThroughTheKeyFilters) {
    ShowWindow();
    auto* nLat = Find<EditBox>("edtNLat");
    auto* wLong = Find<EditBox>("edtWLong");
    auto* satLong = Find<EditBox>("edtSatLong");
    satLong->setFocus();
    satLong->selectAll();
    QTest::keyClicks(satLong, "107.3");
    wLong->setFocus();
    wLong->selectAll();
    QTest::keyClicks(wLong, "114.08");
    nLat->setFocus();
    nLat->selectAll();
    QTest::keyClicks(nLat, "5a1.0.8");
    EXPECT_EQ(nLat->text(), "51.08");
    EXPECT_EQ(Shown("edtAzimuth"), "171.306422331434");

    QTest::keyClick(nLat, Qt::Key_Backspace);
    EXPECT_EQ(nLat->text(), "51.08");
    QTest::keyClick(nLat, Qt::Key_V, Qt::ControlModifier);  // no pasting in a coordinate box
    EXPECT_EQ(nLat->text(), "51.08");
    nLat->home(false);
    QTest::keyClick(nLat, Qt::Key_Delete);  // Delete still deletes
    EXPECT_EQ(nLat->text(), "1.08");
    QTest::keyClicks(nLat, "-");  // the sign goes in front, once
    EXPECT_EQ(nLat->text(), "-1.08");
    QTest::keyClicks(nLat, "-");
    EXPECT_EQ(nLat->text(), "-1.08");
    EXPECT_EQ(window->controller().Values().NLat, "-1.08");
    const PointingResult expected = CalculatePointing({-1.08L, 114.08L, 107.3L, 0});
    EXPECT_EQ(Shown("edtAzimuth").toStdString(), AzimuthText(expected));
    EXPECT_EQ(Shown("edtElevation").toStdString(), ElevationText(expected));

    auto* satName = Find<EditBox>("edtSatName");
    satName->setFocus();
    satName->selectAll();
    QTest::keyClicks(satName, "My, Bird");
    QTest::keyClick(satName, Qt::Key_Backspace);  // Backspace edits a name as usual
    EXPECT_EQ(satName->text(), "My Bir");
    EXPECT_EQ(window->controller().Values().SatName, "My Bir");
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(MainWindow, ChoosingTreeItemsFillsTheBoxes) {
    ShowWindow();
    auto* tvwSat = Find<CatalogueTreeView>("tvwSat");
    auto* tvwLoc = Find<CatalogueTreeView>("tvwLoc");
    Choose(tvwSat, window->satellites().FindNode("Anik E2 - Star Choice (Canada)"));
    EXPECT_EQ(Shown("edtSatName"), "Anik E2 - Star Choice (Canada)");
    EXPECT_EQ(Shown("edtSatLong"), "107.3");
    EXPECT_EQ(Shown("edtAzimuth"), "No Calculation");
    Choose(tvwLoc, window->locations().FindNode("Calgary"));
    EXPECT_EQ(Shown("edtLocName"), "Calgary, ALBERTA");
    EXPECT_EQ(Shown("edtNLat"), "51.08");
    EXPECT_EQ(Shown("edtWLong"), "114.08");
    EXPECT_EQ(Shown("edtAzimuth"), "171.306422331434");
    EXPECT_EQ(Shown("edtElevation"), "31.1920790500568");
}

TEST_F(MainWindow, BadSatelliteLongitudeShowsTheErrorBox) {
    QtDialogs realBoxes;
    window = std::make_unique<TfrmKorvel>(realBoxes, folder.Path());
    realBoxes.setOwner(window.get());
    ShowWindow();
    Find<EditBox>("edtWLong")->setText("114.08");
    Find<EditBox>("edtSatLong")->setText("");
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    // The box is modal: read it and close it from inside its own event loop.
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->accept();
    });
    Find<EditBox>("edtNLat")->setText("51.08");
    EXPECT_EQ(title, "Azimora 2003");
    EXPECT_EQ(text, "'' is not a valid floating point value.");
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(Shown("edtAzimuth"), "0.00");
    window.reset();  // before the boxes it refers to
}

TEST_F(MainWindow, UserListsAppearInTheTreesWhenShown) {
    azimora::testing::WriteFile(UserSatelliteFile(folder.Path()), "My Bird,61.5\r\n");
    azimora::testing::WriteFile(UserLocationFile(folder.Path()), "Home,45.5,73.6\r\n");
    window = std::make_unique<TfrmKorvel>(dialogs, folder.Path());
    ShowWindow();
    auto* tvwSat = Find<CatalogueTreeView>("tvwSat");
    auto* tvwLoc = Find<CatalogueTreeView>("tvwLoc");
    EXPECT_EQ(tvwSat->model()->rowCount(), 102);
    EXPECT_EQ(tvwSat->model()->index(101, 0).data().toString(), "USER: My Bird");
    const QModelIndex userDefined = tvwLoc->model()->index(5, 0);
    EXPECT_EQ(tvwLoc->model()->index(0, 0, userDefined).data().toString(), "Home");
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(MainWindow, AnErrorWhileShowingIsReportedAndTheWindowOpens) {
    azimora::testing::WriteFile(UserLocationFile(folder.Path()), "Home\r\n");
    window = std::make_unique<TfrmKorvel>(dialogs, folder.Path());
    ShowWindow();
    EXPECT_EQ(dialogs.errors, (std::vector<std::string>{"List index out of bounds (1)"}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Find<CatalogueTreeView>("tvwLoc")->model()->rowCount(
                  Find<CatalogueTreeView>("tvwLoc")->model()->index(5, 0)),
              1);
}

TEST_F(MainWindow, SaveButtonsAskFirst) {
    ShowWindow();
    dialogs.answers = {ConfirmAnswer::No, ConfirmAnswer::Yes};
    QTest::mouseClick(Find<QWidget>("btnSatSave"), Qt::LeftButton);
    EXPECT_FALSE(std::filesystem::exists(UserSatelliteFile(folder.Path())));
    auto* btnLocSave = Find<QWidget>("btnLocSave");
    btnLocSave->setFocus();
    QTest::keyClick(btnLocSave, Qt::Key_Return);
    EXPECT_EQ(azimora::testing::ReadFile(UserLocationFile(folder.Path())), "No location selected.,0.00,0.00\r\n");
    EXPECT_EQ(dialogs.questions.size(), 2u);
}

TEST_F(MainWindow, TabVisitsTheBoxesAndButtonsButNeverTheTrees) {
    ShowWindow();
    const char* order[] = {"btnSatSave", "edtSatLong", "edtLocName", "btnLocSave",
                           "edtNLat",    "edtWLong",   "edtSatName", "btnSatSave"};
    for (const char* expected : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), expected);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "edtSatName");
    EXPECT_EQ(Find<EditBox>("edtSatName")->selectedText(), "No satellite selected.");
}

// Guarantee 5: closing the main window by any means ends the event loop.
TEST_F(MainWindow, ClosingByAnyMeansEndsTheProgram) {
    EXPECT_TRUE(QApplication::quitOnLastWindowClosed());
    for (int means = 0; means < 3; ++means) {
        window = std::make_unique<TfrmKorvel>(dialogs, folder.Path());
        ShowWindow();
        QTimer::singleShot(0, window.get(), [&] {
            switch (means) {
                case 0: window->close(); break;
                case 1: window->findChild<QAction*>("btnClose")->trigger(); break;
                default: window->callHandler([&] { window->controller().btnCloseClick(); }); break;
            }
        });
        QTimer safety;  // a window that stays open would hang the loop
        safety.setSingleShot(true);
        QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        safety.start(azimora::testing::kEventBoundMs);
        EXPECT_EQ(QApplication::exec(), 0) << means;
        EXPECT_FALSE(window->isVisible()) << means;
    }
}

TEST_F(MainWindow, MenuHoldsPrintAndExit) {
    QMenu* file = window->findChild<QMenu*>("File1");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->title(), "&File");
    QStringList captions;
    for (const QAction* action : file->actions()) captions << (action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(captions, (QStringList{"&Print Results", "-", "E&xit"}));
    // Printing before any calculation only reminds.
    window->findChild<QAction*>("btnPrint")->trigger();
    EXPECT_EQ(dialogs.informations, (std::vector<std::string>{"Please calculate a pointing BEFORE printing."}));
}

TEST_F(MainWindow, ScreenReadersFindEveryControlByName) {
    const std::pair<const char*, const char*> names[] = {
        {"edtSatName", "Satellite name"}, {"edtSatLong", "Satellite longitude"}, {"edtLocName", "Location name"},
        {"edtNLat", "Latitude"},          {"edtWLong", "Longitude"},             {"edtAzimuth", "Azimuth"},
        {"edtElevation", "Elevation"},    {"btnSatSave", "Save satellite"},      {"btnLocSave", "Save location"},
        {"tvwSat", "Satellite listing"},  {"tvwLoc", "Location listing"}};
    for (const auto& [object, name] : names) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(Find<QWidget>(object));
        ASSERT_NE(accessible, nullptr) << object;
        EXPECT_EQ(accessible->text(QAccessible::Name), name) << object;
    }
}

TEST_F(MainWindow, ResultLabelsExposeTheirText) {
    ShowWindow();
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(Find<ShadowLabel>("edtAzimuth"));
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::StaticText);
    EXPECT_EQ(accessible->text(QAccessible::Description), "0.00");
    Find<EditBox>("edtWLong")->setText("114.08");
    Find<EditBox>("edtNLat")->setText("51.08");
    EXPECT_EQ(accessible->text(QAccessible::Name), "Azimuth");
    EXPECT_EQ(accessible->text(QAccessible::Description), "70.7996202369913");
    EXPECT_EQ(accessible->text(QAccessible::Value), "70.7996202369913");
    // A label without a name of its own is named by its text.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Find<ShadowLabel>("fcLabel6"))->text(QAccessible::Name), "Azimuth:");
}

std::vector<QAccessible::Event> g_accessibilityEvents;

// Needs a live accessibility bridge (AT-SPI under X): the Xvfb suite runs it
// with AZIMORA_REQUIRE_ACCESSIBILITY set; elsewhere it is skipped.
TEST_F(MainWindow, ResultLabelsAnnounceTheirChanges) {
    ShowWindow();
    if (!QAccessible::isActive()) {
        if (qEnvironmentVariableIsSet("AZIMORA_REQUIRE_ACCESSIBILITY")) FAIL() << "no accessibility bridge";
        GTEST_SKIP() << "no accessibility bridge on this platform";
    }
    g_accessibilityEvents.clear();
    QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
        if (event->object() != nullptr && event->object()->objectName() == "edtAzimuth")
            g_accessibilityEvents.push_back(event->type());
    });
    Find<EditBox>("edtWLong")->setText("114.08");
    Find<EditBox>("edtNLat")->setText("51.08");
    QAccessible::installUpdateHandler(nullptr);
    EXPECT_EQ(g_accessibilityEvents, std::vector<QAccessible::Event>{QAccessible::DescriptionChanged});
}

TEST_F(MainWindow, FittedLabelsHoldTheirWholeText) {
    ShowWindow();
    for (const ShadowLabel* label : window->findChildren<ShadowLabel*>()) {
        if (label->objectName() == "fcLabel16" || label->objectName().startsWith("edt")) continue;  // fixed sizes
        const QFontMetrics metrics(label->font());
        EXPECT_GE(label->width(), metrics.horizontalAdvance(label->text())) << label->objectName().toStdString();
        EXPECT_GE(label->height(), metrics.height()) << label->objectName().toStdString();
    }
}

// Run again with QT_SCALE_FACTOR=2 (ctest: shell.scaled2x): the whole window,
// fonts and geometry alike, doubles in device pixels, so that it is neither
// tiny nor clipped on a double-density screen.
TEST_F(MainWindow, ScalesAsAWholeWithTheScreen) {
    ShowWindow();
    const qreal expected = qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() : 1.0;
    EXPECT_DOUBLE_EQ(window->devicePixelRatio(), expected);
    const QImage client = window->centralWidget()->grab().toImage();
    EXPECT_EQ(client.size(), TfrmKorvel::kClientSize * expected);
    // The layout is in device-independent pixels and so is the text.
    EXPECT_EQ(Find<QWidget>("RzPanel3")->geometry(), QRect(285, 107, 315, 290));
    EXPECT_EQ(QFontInfo(Find<EditBox>("edtNLat")->font()).pixelSize(), 11);
}

}  // namespace
}  // namespace azimora::shell
