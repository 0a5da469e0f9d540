// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

#include <functional>
#include <vector>

#include "controller/controller.h"

class QPainter;
class QPrinter;
class QWidget;

// The printed report: one page with the current pointing. What is printed
// (ReportLines) is kept apart from how (DrawReport, on any QPrinter), so the
// print dialog, a PDF file and the tests all go the same way. Its texts are
// the main window's own (controller/window_texts.h).
namespace azimora::shell {

// The layout's resolution: the positions below are dots at 600 dots per
// inch, so that the last line sits about 9 cm from the top on any printer.
inline constexpr int kReportDotsPerInch = 600;

struct ReportLine {
    int y;  // top of the text, in dots at kReportDotsPerInch; x is always 50
    int pointSize;
    bool bold;
    bool underline;
    QString text;
};

inline constexpr int kReportLeft = 50;

// The twelve lines, texts exactly as the window shows them, the date in the
// locale's full weekday and month names ("Sunday December 6, 2026").
[[nodiscard]] std::vector<ReportLine> ReportLines(const DisplayValues& values, const QDate& today,
                                                  const QLocale& locale);

// Prints the lines on printer as one job named after the report, laid out at
// kReportDotsPerInch whatever the printer's resolution; errors of the
// printing system are raised as azimora::Error.
void PrintReportLines(QPrinter& printer, const std::vector<ReportLine>& lines);

// The print dialog step: true to print on the chosen printer, false when cancelled.
using PrinterChooser = std::function<bool(QPrinter& printer, QWidget* owner)>;
[[nodiscard]] bool ChoosePrinterWithDialog(QPrinter& printer, QWidget* owner);

// The whole command after the calculation check: dialog, then the page.
void PrintReport(const DisplayValues& values, const PrinterChooser& choose, QWidget* owner);

}  // namespace azimora::shell
