// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "main_window/report.h"

#include <QFont>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "azimora_version.h"
#include "errors.h"

namespace azimora::shell {
std::vector<ReportLine> ReportLines(const DisplayValues& values, const QDate& today, const QLocale& locale) {
    const auto text = [](const char* caption, const std::string& value = {}, const char* unit = "") {
        return QString::fromLatin1(caption) + QString::fromStdString(value) + QString::fromLatin1(unit);
    };
    return {
        {50, 20, true, false, text(kReportTitle)},
        {300, 12, false, false, text(kReportSatellite, values.SatName)},
        {450, 12, false, false, text(kReportSatelliteLongitude, values.SatLong, kReportDegrees)},
        {600, 12, false, false, text(kReportLocation, values.LocName)},
        {750, 12, false, false, text(kReportLatitude, values.NLat, kReportDegrees)},
        {900, 12, false, false, text(kReportLongitude, values.WLong, kReportDegrees)},
        {1200, 16, true, true, text(kReportPointing)},
        {1400, 16, true, false, text(kReportAzimuth, values.Azimuth)},
        {1600, 16, true, false, text(kReportElevation, values.Elevation)},
        {1900, 9, false, false, text(kReportPrintedFrom)},
        {2000, 9, false, false, text(kCreditLine)},
        {2100, 9, false, false, text(kReportDate) + locale.toString(today, QString::fromLatin1(kReportDateFormat))},
    };
}

namespace {

// The font of a line in dots of the reference resolution: a point is 1/72 inch.
QFont ReferenceFont(const ReportLine& line) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(qRound(line.pointSize * kReportDotsPerInch / 72.0));
    font.setBold(line.bold);
    font.setUnderline(line.underline);
    return font;
}

}  // namespace

void PrintReportLines(QPrinter& printer, const std::vector<ReportLine>& lines) {
    if (!printer.isValid()) throw Error("There is no default printer currently selected");
    printer.setDocName(QString::fromLatin1(kReportTitle));
    printer.setCreator(QStringLiteral("Azimora ") + QString::fromLatin1(kVersion));
    QPainter painter;
    if (!painter.begin(&printer)) throw Error("Printer is not currently printing");
    // The positions are dots at the reference resolution; whatever the
    // device's own (1200 dpi for Qt's high-resolution printers), the page
    // keeps the proportions of the table and its physical size.
    painter.scale(printer.logicalDpiX() / double(kReportDotsPerInch), printer.logicalDpiY() / double(kReportDotsPerInch));
    painter.setPen(Qt::black);
    for (const ReportLine& line : lines) {
        const QFont font = ReferenceFont(line);
        painter.setFont(font);
        painter.drawText(QPointF(kReportLeft, line.y + QFontMetricsF(font).ascent()), line.text);
    }
    if (!painter.end()) throw Error("Printer is not currently printing");
}

bool ChoosePrinterWithDialog(QPrinter& printer, QWidget* owner) {
    QPrintDialog dialog(&printer, owner);
    dialog.setObjectName(QStringLiteral("PrintDialog1"));
    return dialog.exec() == QDialog::Accepted;
}

void PrintReport(const DisplayValues& values, const PrinterChooser& choose, QWidget* owner) {
    QPrinter printer(QPrinter::HighResolution);
    if (!choose(printer, owner)) return;
    PrintReportLines(printer, ReportLines(values, QDate::currentDate(), QLocale()));
}

}  // namespace azimora::shell
