// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Import Satellites with many rows: filters, files opened twice, warnings in
// full, skipped lines cut to a readable length, a disk that fills up, a
// reading cancelled.
#include <QRegularExpression>
#include <QTableView>
#include <QTest>

#include <fstream>

#include "formats/two_line_elements.h"
#include "lists/userlists.h"
#include "outside_data/import_satellites_dialog.h"
#include "sky/sky_chart.h"
#include "small_disk.h"
#include "window_fixture.h"
#include "event_bound.h"

namespace azimora::shell {
namespace {

std::string WithChecksum(std::string line) {
    line.resize(68, ' ');
    return line + std::to_string(TleChecksum(line));
}

// count near-geostationary sets spread round the arc, every third inclined.
std::string ElementSets(int count, const std::string& prefix = "GEO ") {
    std::string text;
    for (int i = 0; i < count; ++i) {
        char line1[80], line2[80];
        const UnixSeconds epoch = static_cast<double>(QDateTime::currentSecsSinceEpoch()) - 86400;
        const CivilDate date = DateOf(epoch);
        const double day = (epoch - StartOfDay({date.year, 1, 1})) / 86400 + 1;
        std::snprintf(line1, sizeof line1, "1 %05dU 20001A   %02d%012.8f  .00000000  00000-0  00000-0 0  999", i % 100000,
                      date.year % 100, day);
        std::snprintf(line2, sizeof line2, "2 %05d %8.4f %8.4f 0001000   0.0000 %8.4f  1.00273791    1", i % 100000,
                      i % 3 == 0 ? 2.5 : 0.01, 0.0, std::fmod(i * 7.3, 360.0));
        text += prefix + std::to_string(i) + "\n" + WithChecksum(line1) + "\n" + WithChecksum(line2) + "\n";
    }
    return text;
}

class ImportDialog : public testing::WindowTest {
protected:
    azimora::testing::TempFolder sources;
    std::unique_ptr<ImportSatellitesDialog> dialog;

    void SetUp() override {
        testing::WindowTest::SetUp();
        ShowWindow();
        dialog = std::make_unique<ImportSatellitesDialog>(*window, QString::fromStdString((sources.Path() / "none").string()));
        dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    void TearDown() override {
        dialog.reset();
        testing::WindowTest::TearDown();
    }
    void Open(const std::filesystem::path& file) {
        dialog->openElementSets(QString::fromStdString(file.string()));
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->busy(), azimora::testing::kEventBoundMs);
        QCoreApplication::processEvents();
    }
    std::filesystem::path Write(const char* name, const std::string& text) {
        const auto file = sources.Path() / name;
        std::ofstream(file, std::ios::binary) << text;
        return file;
    }
};

TEST_F(ImportDialog, FiltersByNameOrPositionAndByWhatTheSiteSees) {
    Open(Write("geo.tle", ElementSets(300)));
    ImportCandidatesModel& model = dialog->candidates();
    ASSERT_EQ(model.rowCount(), 300);
    dialog->setFilterText("GEO 12");
    EXPECT_EQ(model.rowCount(), 11);  // 12 and 120 to 129
    dialog->setFilterText("");
    // Calgary sees about a third of the arc.
    window->controller().tvwLocChange(*window->locations().FindNode("Calgary"));
    dialog->setOnlyVisible(true);
    EXPECT_GT(model.rowCount(), 60);
    EXPECT_LT(model.rowCount(), 160);
    for (int row = 0; row < model.rowCount(); ++row)
        EXPECT_GT(GeostationaryPositionInSky(51.08, 114.08, model.candidate(row).longitudeWest).elevation, 0);
    // By position as shown.
    dialog->setOnlyVisible(false);
    const QString position = model.index(5, ImportCandidatesModel::Position).data().toString();
    dialog->setFilterText(position);
    EXPECT_GE(model.rowCount(), 1);
    EXPECT_EQ(model.index(0, ImportCandidatesModel::Position).data().toString(), position);
}

TEST_F(ImportDialog, AFileOpenedTwiceAddsNoRowsTwiceAndComesFirstSelected) {
    const auto file = Write("geo.tle", ElementSets(20));
    Open(file);
    Open(file);
    ImportCandidatesModel& model = dialog->candidates();
    EXPECT_EQ(model.rowCount(), 20);
    const auto selected = dialog->table().selectionModel()->selectedRows();
    EXPECT_EQ(selected.size(), 20);
    // The warning's whole text as a tooltip.
    const QModelIndex warning = model.index(0, ImportCandidatesModel::Warning);
    EXPECT_EQ(warning.data(Qt::ToolTipRole).toString(), "inclined 2.5 degrees: it swings north and south");
}

TEST_F(ImportDialog, SkippedLinesAreCutAndCounted) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += std::string(400, 'x') + " " + std::to_string(i) + "\n";
    Open(Write("junk.txt", text));
    const QStringList lines = dialog->skippedText().split(u'\n').filter(QRegularExpression("^junk.txt: "));
    EXPECT_EQ(lines.size(), 201);
    for (const QString& line : lines) EXPECT_LE(line.size(), 160) << line.toStdString();
    EXPECT_EQ(lines.back(), "junk.txt: and 100 more lines skipped");
}

// 628 ticked onto a disk with room for some: none added, each named with the
// reason, and their ticks kept for another try.
TEST_F(ImportDialog, AFullDiskAddsNoneAndKeepsTheTicks) {
    azimora::testing::SmallDisk disk(8 * 1024);
    if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a small disk here";
    dialog.reset();  // before the window that owns it
    window.reset();
    window = std::make_unique<TfrmKorvel>(dialogs, disk.Path());
    ShowWindow();
    dialog = std::make_unique<ImportSatellitesDialog>(*window, QString::fromStdString((sources.Path() / "none").string()));
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    Open(Write("geo.tle", ElementSets(628)));
    dialog->tickAll(true);
    dialog->addTicked();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->busy(), azimora::testing::kEventBoundMs);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog->status(),
              "Added 0 satellites to your satellite list; 0 already there; not added: 628 (listed below with the "
              "reason, still ticked).");
    EXPECT_TRUE(dialog->skippedText().contains("Not added: GEO 0 at ")) << dialog->skippedText().toStdString();
    EXPECT_TRUE(dialog->skippedText().contains(": Disk full"));
    EXPECT_EQ(dialog->candidates().tickedRows().size(), 628u);
    EXPECT_EQ(window->satellites().RootCount(), 101u);
}

TEST_F(ImportDialog, AReadingCancelledAddsNothing) {
    Open(Write("small.tle", ElementSets(10)));
    const auto big = Write("big.tle", ElementSets(60000));
    dialog->openElementSets(QString::fromStdString(big.string()));
    dialog->cancelWork();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->busy(), azimora::testing::kEventBoundMs);
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialog->status().contains("was cancelled")) << dialog->status().toStdString();
    EXPECT_EQ(dialog->candidates().rowCount(), 10);
}

}  // namespace
}  // namespace azimora::shell
