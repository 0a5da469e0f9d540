// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Saving the installation sheet over a file the user already has: the old
// sheet survives a failed save, and a link stays a link.
#include <QFile>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

#include "small_disk.h"
#include "tools_menu.h"
#include "pdf_text.h"
#include "window_fixture.h"

namespace azimora::shell {
namespace {

class SheetFile : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->controller().tvwLocChange(*window->locations().FindNode("Calgary"));
        window->controller().tvwSatChange(*window->satellites().FindNode("Anik E2 - Star Choice (Canada)"));
    }
    void SaveTo(const std::filesystem::path& file) {
        const QString name = QString::fromStdString(file.string());
        ToolsMenu::Of(*window).setSheetFileChooser([name](QWidget*) { return name; });
        ToolsMenu::Of(*window).saveSheet();
    }
    static std::string Bytes(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

// It used to be truncated in place: a disk that filled up lost the old sheet.
TEST_F(SheetFile, AFailedSaveLeavesTheOldSheet) {
    azimora::testing::SmallDisk disk(64 * 1024);
    if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a small disk here";
    const auto sheet = disk.Path() / "sheet.pdf";
    const std::string old = "%PDF-1.4 the sheet of last week";
    std::ofstream(sheet, std::ios::binary) << old;
    std::ofstream(disk.Path() / "filler", std::ios::binary) << std::string(64 * 1024 - 4096, 'x');
    SaveTo(sheet);
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_TRUE(dialogs.errors[0].starts_with("Cannot write \"" + sheet.string() + "\"")) << dialogs.errors[0];
    EXPECT_EQ(Bytes(sheet), old);
}

TEST_F(SheetFile, ALinkStaysALinkToTheNewSheet) {
    QTemporaryDir folder;
    const std::filesystem::path root = folder.path().toStdString();
    std::filesystem::create_directories(root / "synced");
    std::ofstream(root / "synced" / "sheet.pdf") << "old";
    std::filesystem::create_symlink("synced/sheet.pdf", root / "sheet.pdf");
    SaveTo(root / "sheet.pdf");
    EXPECT_TRUE(dialogs.errors.empty()) << dialogs.errors.front();
    EXPECT_TRUE(std::filesystem::is_symlink(root / "sheet.pdf"));
    EXPECT_TRUE(Bytes(root / "synced" / "sheet.pdf").starts_with("%PDF"));
}

// Names of 200 characters, a Sydney site, a US locale: every word on the
// page, inside its printable area, none over another.
TEST_F(SheetFile, LongNamesStayInsideTheirBoxes) {
    const std::string longName(200, 'W');
    window->controller().SetValue(DisplayField::LocName, "Sydney " + std::string(190, 'x'));
    window->controller().SetValue(DisplayField::NLat, "-33.8678");
    window->controller().SetValue(DisplayField::WLong, "-151.2073");
    window->controller().SetValue(DisplayField::SatName, longName);
    window->controller().SetValue(DisplayField::SatLong, "-156");
    QTemporaryDir folder;
    const std::filesystem::path file = folder.filePath("sheet.pdf").toStdString();
    qputenv("LC_PAPER", "en_US.UTF-8");
    SaveTo(file);
    qunsetenv("LC_PAPER");
    ASSERT_TRUE(dialogs.errors.empty()) << dialogs.errors.front();
    const auto page = testing::PdfPageWords(QString::fromStdString(file.string()));
    ASSERT_TRUE(page.has_value());
    EXPECT_NEAR(page->width, 612, 1);  // Letter, as LC_PAPER says
    EXPECT_NEAR(page->height, 792, 1);
    ASSERT_GT(page->words.size(), 100u);
    constexpr double kMargin = 30;
    for (const testing::PdfWordBox& word : page->words) {
        EXPECT_GE(word.left, kMargin) << word.text.toStdString();
        EXPECT_LE(word.right, page->width - kMargin) << word.text.toStdString();
        EXPECT_GE(word.top, kMargin) << word.text.toStdString();
        EXPECT_LE(word.bottom, page->height - kMargin) << word.text.toStdString();
    }
    int overlaps = 0;
    for (std::size_t i = 0; i < page->words.size(); ++i)
        for (std::size_t j = i + 1; j < page->words.size(); ++j) {
            const auto& a = page->words[i];
            const auto& b = page->words[j];
            // Touching edges are no overlap: a quarter point of slack.
            if (a.left < b.right - 0.25 && b.left < a.right - 0.25 && a.top < b.bottom - 0.25 && b.top < a.bottom - 0.25) {
                ++overlaps;
                ADD_FAILURE() << "'" << a.text.toStdString() << "' over '" << b.text.toStdString() << "'";
            }
        }
    EXPECT_EQ(overlaps, 0);
}

}  // namespace
}  // namespace azimora::shell
