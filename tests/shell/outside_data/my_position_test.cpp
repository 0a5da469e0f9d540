// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Find Location > Use My Position with a GPS receiver's log replayed by Qt
// Positioning (its NMEA source in simulation mode): no hardware, no
// location service. The fix is shown first, then used as typing would.
#include <QBuffer>
#include <QComboBox>
#include <QGeoPositionInfoSource>
#include <QGeoPositionInfo>
#include <QLabel>
#include <QNmeaPositionInfoSource>
#include <QPushButton>
#include <QTest>

#include <cmath>

#include "nmea_sentences.h"
#include "outside_data/find_location_dialog.h"
#include "outside_data/my_position_dialog.h"
#include "outside_data/position_sources.h"
#include "window_fixture.h"
#include "event_bound.h"

namespace azimora::shell {
namespace {

using azimora::testing::NmeaSentence;

class MyPosition : public testing::WindowTest {
protected:
    azimora::testing::TempFolder sources;
    std::unique_ptr<FindLocationDialog> find;

    void SetUp() override {
        testing::WindowTest::SetUp();
        azimora::testing::WriteFile(
            sources.Path() / "Locations.xml",
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<gweather format=\"1.0\">\n<region><_name>North America</_name>\n"
            "<country><_name>Canada</_name><iso-code>CA</iso-code><fips-code>CA</fips-code><timezones/>\n"
            "<state><_name>Alberta</_name><fips-code>CA01</fips-code>\n"
            "<city><_name>Calgary</_name><coordinates>51.083333 -114.083333</coordinates></city>\n"
            "</state></country></region></gweather>\n");
        find = std::make_unique<FindLocationDialog>(*window, QString::fromStdString((sources.Path() / "Locations.xml").string()));
        window->controller().SetValue(DisplayField::LocName, "Before");
    }
    void TearDown() override {
        find.reset();
        testing::WindowTest::TearDown();
    }
    // A receiver's log replayed as it was recorded.
    MyPositionDialog& Replay(const std::string& log, int timeoutMs) {
        auto* buffer = new QBuffer;
        buffer->setData(QByteArray::fromStdString(log));
        buffer->open(QIODevice::ReadOnly);
        auto* source = new QNmeaPositionInfoSource(QNmeaPositionInfoSource::SimulationMode);
        source->setDevice(buffer);
        MyPositionDialog& dialog = find->openMyPosition();
        dialog.locateWith(source, buffer, timeoutMs);
        return dialog;
    }
    std::string Shown(DisplayField field) { return window->controller().Value(field); }
    // The message's label as tall as its wrapped text needs: nothing clipped.
    static void ExpectWholeMessage(MyPositionDialog& dialog) {
        QCoreApplication::processEvents();
        auto* label = dialog.findChild<QLabel*>(QStringLiteral("fix"));
        ASSERT_NE(label, nullptr);
        EXPECT_GE(label->height(), label->heightForWidth(label->width())) << label->text().toStdString();
        EXPECT_LE(label->geometry().bottom(), dialog.rect().bottom()) << label->text().toStdString();
    }
};

// 51 04.800 N, 114 04.800 W: Calgary, 3 km from the town's point in the list.
const std::string kCalgaryFix = NmeaSentence("GPGGA,185137,5104.800,N,11404.800,W,1,09,0.8,1045.0,M,-17.3,M,,") + "\r\n" +
                                NmeaSentence("GPRMC,185137,A,5104.800,N,11404.800,W,0.0,0.0,071226,,,A") + "\r\n";
const std::string kNoFix = NmeaSentence("GPGGA,185137,,,,,0,00,,,M,,M,,") + "\r\n";

TEST_F(MyPosition, TheFixIsShownThenUsedAsTypingWould) {
    MyPositionDialog& dialog = Replay(kCalgaryFix, azimora::testing::kEventBoundMs);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.hasFix(); }, azimora::testing::kEventBoundMs)) << dialog.status().toStdString();
    const QString shown = dialog.status();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("51.08000 N, 114.08000 W, 1045 m above sea level; "))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("fix of 2026-12-07 18:51:37 UTC"))) << shown.toStdString();
    // Nothing in the main window until the fix is used.
    EXPECT_EQ(Shown(DisplayField::LocName), "Before");
    ASSERT_TRUE(dialog.useButton().isEnabled());
    dialog.useButton().click();
    EXPECT_EQ(Shown(DisplayField::LocName), "Calgary");
    EXPECT_EQ(Shown(DisplayField::NLat), "51.08");
    EXPECT_EQ(Shown(DisplayField::WLong), "114.08");
}

// A receiver's log: the fix it ended with, at its own time, as azimora-calc
// --nmea takes it (not the first the log gives).
TEST_F(MyPosition, ALogGivesItsLastFixAtTheTimeItWasTaken) {
    std::string log = NmeaSentence("GPRMC,165714,V,,,,,,,071226,,,N") + "\r\n";
    for (const char* second : {"165715", "165716", "165717", "165718"})
        log += NmeaSentence(std::string("GPGGA,") + second + ",5104.700,N,11404.700,W,1,04,2.5,1040.0,M,-17.3,M,,") + "\r\n";
    log += NmeaSentence("GPGGA,165719,5104.800,N,11404.800,W,1,09,0.8,1045.0,M,-17.3,M,,") + "\r\n" +
           NmeaSentence("GPRMC,165719,A,5104.800,N,11404.800,W,0.0,0.0,071226,,,A") + "\r\n";
    azimora::testing::WriteFile(sources.Path() / "roof.nmea", log);
    MyPositionDialog& dialog = find->openMyPosition();
    dialog.locateInLog(QString::fromStdString((sources.Path() / "roof.nmea").string()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.hasFix(); }, azimora::testing::kEventBoundMs)) << dialog.status().toStdString();
    const QString shown = dialog.status();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("51.08000 N, 114.08000 W, 1045 m above sea level; "))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("fix of 2026-12-07 16:57:19 UTC"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("the log's last fix, line 7 of 7"))) << shown.toStdString();
    ExpectWholeMessage(dialog);
}

TEST_F(MyPosition, ALogWithoutAFixOrUnreadableSaysSo) {
    azimora::testing::WriteFile(sources.Path() / "cold.nmea", kNoFix + kNoFix);
    struct Case {
        std::string file;
        const char* start;
    };
    for (const Case& c : {Case{"cold.nmea", "No valid fix in cold.nmea (2 lines, 0 of them broken)"},
                          Case{"missing.nmea", "Cannot read "}}) {
        MyPositionDialog& dialog = find->openMyPosition();
        dialog.locateInLog(QString::fromStdString((sources.Path() / c.file).string()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.status().startsWith(QString::fromLatin1(c.start)); },
                                    azimora::testing::kEventBoundMs))
            << dialog.status().toStdString();
        EXPECT_FALSE(dialog.hasFix());
        EXPECT_EQ(Shown(DisplayField::LocName), "Before");
        ExpectWholeMessage(dialog);
    }
}

TEST_F(MyPosition, AFixFarFromAnyTownIsMyPosition) {
    MyPositionDialog& dialog =
        Replay(NmeaSentence("GPGGA,120000,3000.000,N,04000.000,W,1,06,1.2,0.0,M,40.0,M,,") + "\r\n" +
                   NmeaSentence("GPRMC,120000,A,3000.000,N,04000.000,W,0.0,0.0,071226,,,A") + "\r\n",
               azimora::testing::kEventBoundMs);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.hasFix(); }, azimora::testing::kEventBoundMs)) << dialog.status().toStdString();
    dialog.useButton().click();
    EXPECT_EQ(Shown(DisplayField::LocName), "My position");
    EXPECT_EQ(Shown(DisplayField::NLat), "30");
    EXPECT_EQ(Shown(DisplayField::WLong), "40");
}

TEST_F(MyPosition, NoFixWithinTheTimeOutChangesNothing) {
    MyPositionDialog& dialog = Replay(kNoFix + kNoFix, 1000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.status().startsWith(QStringLiteral("No fix")); }, azimora::testing::kEventBoundMs))
        << dialog.status().toStdString();
    EXPECT_EQ(dialog.status(), QStringLiteral("No fix within 1 s: under open sky a receiver needs a minute or two after "
                                              "it is switched on. Nothing was changed."));
    EXPECT_FALSE(dialog.useButton().isEnabled());
    EXPECT_EQ(Shown(DisplayField::LocName), "Before");
}

TEST_F(MyPosition, CancelStopsTheWait) {
    MyPositionDialog& dialog = Replay(kNoFix, 30000);
    dialog.cancel();
    EXPECT_EQ(dialog.status(), QStringLiteral("Cancelled. Nothing was changed."));
    QTest::qWait(50);
    EXPECT_FALSE(dialog.hasFix());
    EXPECT_EQ(Shown(DisplayField::LocName), "Before");
}

// Qt's GeoClue plugin without the GeoClue service: said at once, not after 30 s.
TEST(DesktopSource, WithoutGeoClueItSaysSoAtOnce) {
    azimora::testing::TempFolder with, without;
    azimora::testing::WriteFile(with.Path() / "org.freedesktop.GeoClue2.service", "[D-BUS Service]\n");
    const QString withFolder = QString::fromStdString(with.Path().string());
    const QString withoutFolder = QString::fromStdString(without.Path().string());
    struct Case {
        const char* source;
        QStringList folders;
        bool problem;
    };
    for (const Case& c : {Case{"geoclue2", {withoutFolder}, true}, Case{"geoclue2", {withoutFolder, withFolder}, false},
                          Case{"geoclue2", {}, true}, Case{"nmea", {withoutFolder}, false}}) {
        const QString problem = DesktopSourceProblem(QString::fromLatin1(c.source), c.folders);
        EXPECT_EQ(!problem.isEmpty(), c.problem) << c.source << ": " << problem.toStdString();
        if (c.problem) {
            EXPECT_TRUE(problem.contains(QStringLiteral("package geoclue-2.0"))) << problem.toStdString();
        }
    }
}

// The dialog itself, on a computer with Qt's GeoClue plugin and no GeoClue
// (as this suite's own machines are): Locate says it before any wait.
TEST_F(MyPosition, TheDesktopSourceWithoutItsServiceSaysSoAtOnce) {
    std::unique_ptr<QGeoPositionInfoSource> probe(QGeoPositionInfoSource::createDefaultSource(nullptr));
    if (!probe || DesktopSourceProblem(probe->sourceName(), SystemServiceFolders()).isEmpty())
        GTEST_SKIP() << "this computer has a location service";
    MyPositionDialog& dialog = find->openMyPosition();
    dialog.sources().setCurrentIndex(0);
    dialog.locate();
    EXPECT_TRUE(dialog.status().startsWith(QStringLiteral("No location service answers here"))) << dialog.status().toStdString();
    EXPECT_FALSE(dialog.hasFix());
    ExpectWholeMessage(dialog);
}

TEST(FixText, AccuracyAndAge) {
    const QDateTime now(QDate(2026, 12, 7), QTime(18, 52, 0), Qt::UTC);
    struct Case {
        double accuracy;
        QDateTime when;
        const char* expected;
    };
    const QDateTime fixTime(QDate(2026, 12, 7), QTime(18, 51, 37), Qt::UTC);
    for (const Case& c : {
             Case{12.4, fixTime, "51.08000 N, 114.08000 W; accuracy \u00B112 m; fix of 2026-12-07 18:51:37 UTC, 23 s ago"},
             Case{NAN, fixTime.addSecs(-600), "51.08000 N, 114.08000 W; accuracy not reported by the source; fix of 2026-12-07 18:41:37 UTC, 10 min ago"},
             Case{3, fixTime.addDays(-3), "51.08000 N, 114.08000 W; accuracy \u00B13 m; fix of 2026-12-04 18:51:37 UTC, 3 days ago"},
             Case{3, QDateTime(), "51.08000 N, 114.08000 W; accuracy \u00B13 m"},
         }) {
        QGeoPositionInfo fix(QGeoCoordinate(51.08, -114.08), c.when);
        if (!std::isnan(c.accuracy)) fix.setAttribute(QGeoPositionInfo::HorizontalAccuracy, c.accuracy);
        EXPECT_EQ(FixText(fix, now), QString::fromUtf8(c.expected));
    }
}

}  // namespace
}  // namespace azimora::shell
