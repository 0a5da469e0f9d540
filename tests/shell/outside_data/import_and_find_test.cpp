// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Tools > Import Satellites and Tools > Find Location, with hand-made
// sources and with Debian's own when installed.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>

#include <fstream>

#include "installation/installation_report.h"
#include "installation/report_caches.h"
#include "gweather_locations.h"
#include "lists/userlists.h"
#include "outside_data/find_location_dialog.h"
#include "outside_data/import_satellites_dialog.h"
#include "tools_menu.h"
#include "window_fixture.h"
#include "event_bound.h"

namespace azimora::shell {
namespace {

class ImportAndFind : public testing::WindowTest {
protected:
    azimora::testing::TempFolder sources;

    void SetUp() override {
        testing::WindowTest::SetUp();
        azimora::testing::WriteFile(sources.Path() / "dvb-s" / "Astra-19.2E", "[CHANNEL]\n\tPOLARIZATION = HORIZONTAL\n");
        azimora::testing::WriteFile(sources.Path() / "dvb-s" / "EchoStar-14-119.0W", "[CHANNEL]\n\tPOLARIZATION = LEFT\n");
        azimora::testing::WriteFile(sources.Path() / "dvb-s" / "README", "not a table\n");
        azimora::testing::WriteFile(sources.Path() / "elements.txt",
                                    "MADE-UP GEO\n"
                                    "1 90001U 87001A   87100.00000000  .00000000  00000-0  00000-0 0  9992\n"
                                    "2 90001   0.0000   0.0000 0000000   0.0000 216.8932  1.00273791   104\n"
                                    "BROKEN\n"
                                    "1 90004U 87001A   87100.00000000  .00000000  00000-0  00000-0 0  9991\n"
                                    "2 90004   0.0000   0.0000 0000000   0.0000 216.8932  1.00273791   104\n");
        azimora::testing::WriteFile(
            sources.Path() / "Locations.xml",
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<gweather format=\"1.0\">\n<region><_name>North America</_name>\n"
            "<country><_name>Canada</_name><iso-code>CA</iso-code><fips-code>CA</fips-code><timezones/>\n"
            "<state><_name>Alberta</_name><fips-code>CA01</fips-code>\n"
            "<city><_name>Calgary</_name><coordinates>51.083333 -114.083333</coordinates></city>\n"
            "<location><name>Calgary International</name><code>CYYC</code><coordinates>51.1 -114.0</coordinates></location>\n"
            "</state></country>\n"
            "<country><_name>Switzerland</_name><iso-code>CH</iso-code><fips-code>SZ</fips-code><timezones/>\n"
            "<city><_name>Z\xC3\xBCrich</_name><name xml:lang=\"fr\">Zurich FR</name><coordinates>47.366667 8.55</coordinates></city>\n"
            "<city><_name>Nowhere</_name></city>\n"
            "</country></region></gweather>\n");
    }
    QString Shown(DisplayField field) { return QString::fromStdString(window->controller().Value(field)); }
};

TEST_F(ImportAndFind, SatellitesFromScanTablesAndElementSetsGoIntoTheListAndTheListing) {
    ShowWindow();
    ImportSatellitesDialog dialog(*window, QString::fromStdString((sources.Path() / "dvb-s").string()));
    // The scan tables are read on another thread as the window opens.
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.busy(), azimora::testing::kEventBoundMs);
    const ImportCandidatesModel& table = dialog.candidates();
    const auto text = [&](int row, int column) { return table.index(row, column).data().toString(); };
    const auto tick = [&](int row) { dialog.candidates().setData(table.index(row, 0), Qt::Checked, Qt::CheckStateRole); };
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(text(0, 0), "Astra");
    EXPECT_EQ(text(0, 1), "19.2 E");
    EXPECT_EQ(text(1, 2), "circular (L/R)");
    EXPECT_TRUE(dialog.skippedText().contains("DVB scan tables: README: no orbital position at the end of its name"));

    dialog.setFileChooser([&](QWidget*) { return QString::fromStdString((sources.Path() / "elements.txt").string()); });
    dialog.openElementSets();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.busy(), azimora::testing::kEventBoundMs);
    QCoreApplication::processEvents();
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(text(0, 0), "MADE-UP GEO");  // an opened file's rows come first
    EXPECT_TRUE(dialog.skippedText().contains("elements.txt: line 5: checksum is 5, the line says 1 (BROKEN)"))
        << dialog.skippedText().toStdString();

    tick(1);
    tick(2);
    dialog.addTicked();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.busy(), azimora::testing::kEventBoundMs);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.status(), "Added 2 satellites to your satellite list; 0 already there.");
    EXPECT_EQ(azimora::testing::ReadFile(UserSatelliteFile(folder.Path())), "Astra,-19.2\r\nEchoStar 14,119.0\r\n");
    auto* listing = window->findChild<QAbstractItemView*>("tvwSat");
    EXPECT_EQ(listing->model()->rowCount(), 103);
    EXPECT_EQ(listing->model()->index(101, 0).data().toString(), "USER: Astra");
    // Again: nothing twice.
    tick(1);
    dialog.addTicked();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.busy(), azimora::testing::kEventBoundMs);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.status(), "Added 0 satellites to your satellite list; 1 already there.");
    EXPECT_EQ(listing->model()->rowCount(), 103);
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(ImportAndFind, WithoutTheScanTablesTheDialogNamesThePackageAndWritesNothing) {
    ShowWindow();
    ImportSatellitesDialog dialog(*window, QString::fromStdString((sources.Path() / "missing").string()));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog, azimora::testing::kEventBoundMs));
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.busy(), azimora::testing::kEventBoundMs);
    EXPECT_EQ(dialog.candidates().rowCount(), 0);
    EXPECT_TRUE(dialog.skippedText().contains("dtv-scan-tables")) << dialog.skippedText().toStdString();
    // Said where the list would be, shown whole.
    QTRY_VERIFY_WITH_TIMEOUT(dialog.emptyListNote().contains("apt-get install dtv-scan-tables"), azimora::testing::kEventBoundMs);
    auto* note = dialog.findChild<QLabel*>(QStringLiteral("emptyListNote"));
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->isVisible());
    EXPECT_GE(note->height(), note->heightForWidth(note->width()));
    dialog.addTicked();
    EXPECT_EQ(dialog.status(), "Nothing is ticked.");
    EXPECT_FALSE(std::filesystem::exists(UserSatelliteFile(folder.Path())));
    // An element file opened: its satellites take the note's place.
    dialog.openElementSets(QString::fromStdString((sources.Path() / "elements.txt").string()));
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.busy(), azimora::testing::kEventBoundMs);
    QCoreApplication::processEvents();
    EXPECT_GT(dialog.candidates().rowCount(), 0);
    EXPECT_TRUE(dialog.emptyListNote().isEmpty());
    EXPECT_TRUE(dialog.table().isVisible());
}

TEST_F(ImportAndFind, ATownFillsTheLocationAsTypingWould) {
    ShowWindow();
    window->controller().tvwSatChange(*window->satellites().FindNode("Anik E2 - Star Choice (Canada)"));
    FindLocationDialog dialog(*window, QString::fromStdString((sources.Path() / "Locations.xml").string()));
    EXPECT_EQ(dialog.message(), "2 towns, from libgweather.");
    QTest::keyClicks(&dialog.searchBox(), "ZURICH");
    ASSERT_EQ(dialog.results().count(), 1);
    EXPECT_TRUE(dialog.results().item(0)->text().startsWith("Z\u00FCrich \u2014 Switzerland"));
    dialog.searchBox().clear();
    QTest::keyClicks(&dialog.searchBox(), "calg");
    ASSERT_EQ(dialog.results().count(), 1);  // weather stations are no towns
    ASSERT_TRUE(dialog.useResult(0));
    EXPECT_EQ(Shown(DisplayField::LocName), "Calgary (Alberta)");
    EXPECT_EQ(Shown(DisplayField::NLat), "51.0833");
    EXPECT_EQ(Shown(DisplayField::WLong), "114.0833");  // west positive
    // The window calculated, as after typing.
    EXPECT_EQ(Shown(DisplayField::Azimuth).left(6), "171.30");
    EXPECT_EQ(Find<QLineEdit>("edtNLat")->text(), "51.0833");
}

// Left-over coordinates never beat the town the user highlighted after them,
// nor the other way round.
TEST_F(ImportAndFind, UseTakesWhatTheUserWorkedOnLast) {
    ShowWindow();
    FindLocationDialog dialog(*window, QString::fromStdString((sources.Path() / "Locations.xml").string()));
    QTest::keyClicks(&dialog.coordinatesBox(), "10 N 20 W");
    QTest::keyClicks(&dialog.searchBox(), "calg");
    ASSERT_EQ(dialog.results().currentRow(), 0);
    EXPECT_TRUE(dialog.use());
    EXPECT_EQ(Shown(DisplayField::LocName), "Calgary (Alberta)");
    // Now the coordinates again.
    QTest::keyClick(&dialog.coordinatesBox(), Qt::Key_End);
    QTest::keyClicks(&dialog.coordinatesBox(), " ");
    EXPECT_TRUE(dialog.use());
    EXPECT_EQ(Shown(DisplayField::NLat), "10");
    // Enter in the town box takes the town.
    QTest::keyClicks(&dialog.searchBox(), "a");
    QTest::keyClick(&dialog.searchBox(), Qt::Key_Return);
    EXPECT_EQ(Shown(DisplayField::LocName), "Calgary (Alberta)");
}

TEST_F(ImportAndFind, TypedCoordinatesFillTheLocation) {
    ShowWindow();
    FindLocationDialog dialog(*window, QString::fromStdString((sources.Path() / "Locations.xml").string()));
    dialog.coordinatesBox().setText("51\u00B005'N 114\u00B005'W");
    ASSERT_TRUE(dialog.useCoordinates());
    EXPECT_EQ(Shown(DisplayField::NLat), "51.0833");
    EXPECT_EQ(Shown(DisplayField::WLong), "114.0833");
    EXPECT_EQ(Shown(DisplayField::LocName), "51.0833 N 114.0833 W");
    dialog.coordinatesBox().setText("somewhere");
    EXPECT_FALSE(dialog.useCoordinates());
    EXPECT_TRUE(dialog.message().startsWith("These coordinates do not read")) << dialog.message().toStdString();
    EXPECT_EQ(Shown(DisplayField::NLat), "51.0833");
}

TEST_F(ImportAndFind, WithoutTheTownsTheDialogNamesThePackage) {
    ShowWindow();
    FindLocationDialog dialog(*window, QString::fromStdString((sources.Path() / "none.xml").string()));
    EXPECT_TRUE(dialog.message().contains("libgweather-4-common")) << dialog.message().toStdString();
    EXPECT_FALSE(dialog.searchBox().isEnabled());
    azimora::testing::WriteFile(sources.Path() / "broken.xml", "<gweather><region>");
    FindLocationDialog broken(*window, QString::fromStdString((sources.Path() / "broken.xml").string()));
    EXPECT_TRUE(broken.message().contains("libgweather-4-common")) << broken.message().toStdString();
    EXPECT_EQ(Shown(DisplayField::LocName), "No location selected.");
}

// The desktop reads Debian's DVB scan tables once, for the report's polarisation.
TEST(ScanTablesOnTheDesktop, DishNetworksPositionIsCircular) {
    const auto tables = ReadInstalledScanTables();
    if (tables.empty()) GTEST_SKIP() << "dtv-scan-tables is not installed";
    EXPECT_EQ(PolarisationAt(tables, 119), Polarisation::Circular);  // Dish Network's EchoStars
}

}  // namespace
}  // namespace azimora::shell
