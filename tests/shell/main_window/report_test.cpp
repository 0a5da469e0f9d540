// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <QAction>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <cmath>

#include "main_window/report.h"
#include "pdf_text.h"
#include "widgets/edit_box.h"
#include "window_fixture.h"

namespace azimora::shell {
namespace {

using testing::PdfLines;
using testing::PdfWords;

DisplayValues Calculated() {
    DisplayValues values;
    values.SatName = "Anik E2 - Star Choice (Canada)";
    values.SatLong = "107.3";
    values.LocName = "Calgary, ALBERTA";
    values.NLat = "51.08";
    values.WLong = "114.08";
    values.Azimuth = "171.306422331434";
    values.Elevation = "Below Horizon!";
    return values;
}

const QDate kSunday(2026, 12, 6);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

TEST(ReportLines, TwelveLinesExactlyAsTheWindowShowsThem) {
    QStringList texts;
    std::vector<int> tops;
    for (const ReportLine& line : ReportLines(Calculated(), kSunday, kEnglish)) {
        texts << line.text;
        tops.push_back(line.y);
    }
    EXPECT_EQ(texts, (QStringList{
                         "Azimora - The Satellite Pointing Lookup",
                         "Satellite: Anik E2 - Star Choice (Canada)",
                         "Satellite Longitude: 107.3 degrees",
                         "Location: Calgary, ALBERTA",
                         "Location Lattitude: 51.08 degrees",
                         "Location Longitude: 114.08 degrees",
                         "Dish Pointing",
                         "Azimuth: 171.306422331434",
                         "Elevation: Below Horizon!",
                         "Printed from Azimora: The Satellite Pointing Lookup Application.",
                         "Written by the Azimora developers (see README)",
                         "Date: Sunday December 6, 2026",
                     }));
    EXPECT_EQ(tops, (std::vector<int>{50, 300, 450, 600, 750, 900, 1200, 1400, 1600, 1900, 2000, 2100}));
    const auto lines = ReportLines(Calculated(), kSunday, kEnglish);
    EXPECT_TRUE(lines[0].bold && lines[0].pointSize == 20);
    EXPECT_TRUE(lines[6].bold && lines[6].underline && lines[6].pointSize == 16);
    EXPECT_TRUE(!lines[7].underline && lines[7].bold);
    EXPECT_TRUE(!lines[11].bold && lines[11].pointSize == 9);
}

TEST(ReportLines, DateInTheUsersLanguage) {
    const auto lines = ReportLines(Calculated(), kSunday, QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(lines.back().text, "Date: Sonntag Dezember 6, 2026");
}

// Prints through the same routine as the print dialog, into a PDF file.
std::optional<std::vector<testing::PdfWord>> PrintToPdf(const QString& file, int dotsPerInch) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setResolution(dotsPerInch);
    PrintReportLines(printer, ReportLines(Calculated(), kSunday, kEnglish));
    return PdfWords(file);
}

double TopOf(const std::vector<testing::PdfWord>& words, const QString& first) {
    for (const auto& word : words)
        if (word.text == first) return word.top;
    ADD_FAILURE() << "no word " << first.toStdString();
    return NAN;
}

TEST(PrintedReport, PdfHoldsEveryLineInOrderAtTheSameLayoutWhateverTheResolution) {
    QTemporaryDir folder;
    for (const int dotsPerInch : {300, 600, 1200}) {
        SCOPED_TRACE(dotsPerInch);
        const QString file = folder.filePath(QStringLiteral("%1.pdf").arg(dotsPerInch));
        const auto words = PrintToPdf(file, dotsPerInch);
        ASSERT_TRUE(words) << "pdftotext (poppler-utils) is needed";
        const auto lines = PdfLines(file);
        ASSERT_TRUE(lines.has_value());
        QStringList expected;
        for (const ReportLine& line : ReportLines(Calculated(), kSunday, kEnglish)) expected << line.text;
        EXPECT_EQ(*lines, expected);

        // Dots at 600 dpi: 900 between "Satellite:" (300) and "Dish" (1200)
        // are 108 pt, 100 between the footer lines 12 pt.
        EXPECT_NEAR(TopOf(*words, "Dish") - TopOf(*words, "Satellite:"), 108, 3);
        EXPECT_NEAR(TopOf(*words, "Date:") - TopOf(*words, "Printed"), 24, 1.5);
        EXPECT_NEAR(TopOf(*words, "Elevation:") - TopOf(*words, "Azimuth:"), 24, 2);
        // Every line starts at x = 50 dots.
        for (const auto& word : *words) {
            if (word.text == "Satellite:" || word.text == "Date:" || word.text == "Dish") {
                EXPECT_NEAR(word.left - (*words)[0].left, 0, 1.5) << word.text.toStdString();
            }
        }
    }
}

TEST(PrintedReport, AHighResolutionPrinterGivesALegiblePage) {
    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath("report.pdf"));
    ASSERT_EQ(printer.resolution(), 1200);
    PrintReportLines(printer, ReportLines(Calculated(), kSunday, kEnglish));
    EXPECT_EQ(testing::ReportPageProblems(folder.filePath("report.pdf")), QStringList());
}

class PrintCommand : public testing::WindowTest {
protected:
    QTemporaryDir output;
    int dialogs_shown = 0;

    void UsePdfPrinter(bool confirm) {
        window->setPrinterChooser([this, confirm](QPrinter& printer, QWidget*) {
            ++dialogs_shown;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(output.filePath("report.pdf"));
            return confirm;
        });
    }
    void Print() { window->findChild<QAction*>("btnPrint")->trigger(); }
};

TEST_F(PrintCommand, RemindsWhenNothingIsCalculated) {
    UsePdfPrinter(true);
    Print();  // results "0.00"
    window->controller().tvwSatChange(*window->satellites().FindNode("AfriStar"));
    Print();  // results "No Calculation"
    EXPECT_EQ(dialogs.informations,
              std::vector<std::string>(2, "Please calculate a pointing BEFORE printing."));
    EXPECT_EQ(dialogs_shown, 0);
    EXPECT_FALSE(QFile::exists(output.filePath("report.pdf")));
}

TEST_F(PrintCommand, PrintsBelowHorizonAndTheEditedCoordinates) {
    UsePdfPrinter(true);
    window->controller().tvwLocChange(*window->locations().FindNode("Honolulu"));
    window->controller().tvwSatChange(*window->satellites().FindNode("AfriStar"));
    Find<EditBox>("edtWLong")->setText("");  // incomplete again: the last result stays
    Print();
    EXPECT_TRUE(dialogs.informations.empty());
    EXPECT_TRUE(dialogs.errors.empty());
    const auto lines = PdfLines(output.filePath("report.pdf"));
    ASSERT_TRUE(lines.has_value());
    EXPECT_TRUE(lines->contains("Elevation: Below Horizon!")) << lines->join('|').toStdString();
    EXPECT_TRUE(lines->contains("Azimuth: 3.21207326063051"));
    EXPECT_TRUE(lines->contains("Location Longitude: degrees"));
    EXPECT_TRUE(lines->contains("Satellite: AfriStar"));
}

TEST_F(PrintCommand, CancellingTheDialogPrintsAndShowsNothing) {
    UsePdfPrinter(false);
    window->controller().tvwLocChange(*window->locations().FindNode("Calgary"));
    Print();
    EXPECT_EQ(dialogs_shown, 1);
    EXPECT_FALSE(QFile::exists(output.filePath("report.pdf")));
    EXPECT_TRUE(dialogs.informations.empty());
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(PrintCommand, PrinterFailuresGoToTheErrorBox) {
    window->setPrinterChooser([](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName("/nonexistent-folder/report.pdf");
        return true;
    });
    window->controller().tvwLocChange(*window->locations().FindNode("Calgary"));
    Print();
    EXPECT_EQ(dialogs.errors, (std::vector<std::string>{"Printer is not currently printing."}));
}

}  // namespace
}  // namespace azimora::shell
