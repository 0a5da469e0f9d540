// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "sheet/installation_sheet.h"

#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QSaveFile>

#include <cmath>

#include "assistant/point_here.h"
#include "azimora_version.h"
#include "errors.h"
#include "geometry/vector3.h"
#include "sheet/compass_rose.h"
#include "sky_chart/sky_chart_painter.h"

namespace azimora::shell {
namespace {

constexpr double kMargin = 42;  // points

QFont SheetFont(double points, bool bold = false) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

}  // namespace

QPageSize::PageSizeId SheetPageSize(const QString& localeName) {
    // Where Letter is the paper in use (CLDR supplemental data, "paperSize").
    static const QStringList letter = {QStringLiteral("US"), QStringLiteral("CA"), QStringLiteral("MX"),
                                       QStringLiteral("BZ"), QStringLiteral("CL"), QStringLiteral("CO"),
                                       QStringLiteral("CR"), QStringLiteral("GT"), QStringLiteral("NI"),
                                       QStringLiteral("PA"), QStringLiteral("PH"), QStringLiteral("PR"),
                                       QStringLiteral("SV"), QStringLiteral("VE")};
    // "en_US.UTF-8", "es_MX@euro": the territory follows the underscore.
    const QString territory = localeName.section(u'_', 1, 1).section(u'.', 0, 0).section(u'@', 0, 0);
    return letter.contains(territory) ? QPageSize::Letter : QPageSize::A4;
}

QString PaperLocaleName() {
    // As the C library decides LC_PAPER: LC_ALL, then LC_PAPER, then LANG.
    for (const char* variable : {"LC_ALL", "LC_PAPER", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty()) return value;
    }
    return QStringLiteral("C");
}

QString WithPdfSuffix(const QString& file) {
    return file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) ? file : file + QStringLiteral(".pdf");
}

namespace {

// Text inside a box: wrapped, and cut with an ellipsis where it would
// leave it. Returns the height used.
double DrawBoxedText(QPainter& painter, const QRectF& box, const QString& text, int flags = Qt::AlignLeft) {
    const QFontMetricsF metrics(painter.font());
    QStringList lines;
    // Lay out word by word, breaking words longer than the box.
    for (const QString& paragraph : text.split(u'\n')) {
        QString line;
        for (const QString& word : paragraph.split(u' ')) {
            const QString candidate = line.isEmpty() ? word : line + u' ' + word;
            if (metrics.horizontalAdvance(candidate) <= box.width()) {
                line = candidate;
                continue;
            }
            if (!line.isEmpty()) lines << line;
            line = word;
            while (metrics.horizontalAdvance(line) > box.width() && line.size() > 1) {
                int fits = line.size() - 1;
                while (fits > 1 && metrics.horizontalAdvance(line.left(fits)) > box.width()) --fits;
                lines << line.left(fits);
                line = line.mid(fits);
            }
        }
        lines << line;
    }
    const int room = std::max(1, static_cast<int>(box.height() / metrics.lineSpacing()));
    if (lines.size() > room) {
        lines = lines.mid(0, room);
        lines.back() = metrics.elidedText(lines.back() + QStringLiteral(" \u2026"), Qt::ElideRight, box.width());
        if (!lines.back().endsWith(u'\u2026')) lines.back() = metrics.elidedText(lines.back(), Qt::ElideRight, box.width() - 1);
    }
    double y = box.top();
    for (const QString& line : lines) {
        painter.drawText(QRectF(box.left(), y, box.width(), metrics.lineSpacing()), flags | Qt::AlignTop, line);
        y += metrics.lineSpacing();
    }
    return lines.size() * metrics.lineSpacing();
}

// The height the rows take at a font size, as DrawBoxedText lays them out.
double RowsHeight(const QList<InstallationRow>& rows, double points, double labelWidth, double valueWidth) {
    const QFontMetricsF bold(SheetFont(points, true)), plain(SheetFont(points));
    QString section;
    double height = 0;
    for (const InstallationRow& row : rows) {
        if (row.section != section) {
            section = row.section;
            height += QFontMetricsF(SheetFont(points + 1.5, true)).lineSpacing() + 3;
        }
        const QRectF value = plain.boundingRect(QRectF(0, 0, valueWidth, 10000), Qt::TextWordWrap, row.value);
        const QRectF label = bold.boundingRect(QRectF(0, 0, labelWidth, 10000), Qt::TextWordWrap, row.label);
        height += std::max(value.height(), label.height()) + 3;
    }
    return height;
}

}  // namespace

void WriteInstallationSheet(const QString& file, const SheetContent& content, const QString& paperLocale) {
    if (!content.report.site) throw Error(NoFiguresNotice(content.report).toStdString());
    // Written beside the old sheet and renamed over it when whole: a failed
    // write leaves the old sheet, and a link stays a link to the new one.
    QSaveFile output(file);
    const auto cannotWrite = [&] {
        return Error("Cannot write \"" + file.toStdString() + "\": " + output.errorString().toStdString());
    };
    if (!output.open(QIODevice::WriteOnly)) throw cannotWrite();
    QPdfWriter writer(&output);
    writer.setPageSize(QPageSize(SheetPageSize(paperLocale)));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(72);  // one unit is one point
    writer.setTitle(QStringLiteral("Azimora installation sheet"));
    writer.setCreator(QStringLiteral("Azimora ") + QString::fromLatin1(kVersion));
    QPainter painter;
    if (!painter.begin(&writer)) throw cannotWrite();

    // Fixed regions from the top: title, point-here numbers, figures; the
    // chart and rose keep at least kChartMinimum at the bottom, above the
    // footer. Text wraps or is cut inside its region, never beyond.
    constexpr double kChartMinimum = 220, kFooter = 14, kPointHere = 64;
    const QRectF page(0, 0, writer.width(), writer.height());
    const QRectF body = page.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    double y = body.top();
    painter.setPen(Qt::black);
    painter.setFont(SheetFont(9));
    const double dateWidth = std::min(body.width() * 0.45, QFontMetricsF(painter.font()).horizontalAdvance(content.printedOn) + 2);
    DrawBoxedText(painter, QRectF(body.right() - dateWidth, y + 6, dateWidth, 14), content.printedOn, Qt::AlignRight);
    painter.setFont(SheetFont(18, true));
    painter.drawText(QRectF(body.left(), y, body.width() - dateWidth - 8, 24), Qt::AlignLeft,
                     QStringLiteral("Installation sheet"));
    y += 30;

    if (const auto point = PointHereOf(content.report)) {
        const PointHereColours ink{Qt::black, QColor(90, 90, 90), QColor(220, 100, 0), QColor(200, 30, 30)};
        PaintPointHere(painter, QRectF(body.left(), y, body.width(), kPointHere), *point, ink);
        y += kPointHere + 8;
    }

    // The figures, as in Installation Details, in the largest font that fits.
    const QList<InstallationRow> rows = InstallationRows(content.report);
    const double labelWidth = 150;
    const double valueWidth = body.width() - labelWidth;
    const double rowsRoom = body.bottom() - kFooter - kChartMinimum - 8 - y;
    double points = 9.5;
    while (points > 6.5 && RowsHeight(rows, points, labelWidth - 6, valueWidth) > rowsRoom) points -= 0.5;
    QString section;
    const double rowsBottom = y + rowsRoom;
    for (const InstallationRow& row : rows) {
        if (y >= rowsBottom) break;
        if (row.section != section) {
            section = row.section;
            painter.setFont(SheetFont(points + 1.5, true));
            y += DrawBoxedText(painter, QRectF(body.left(), y, body.width(), rowsBottom - y), section) + 3;
        }
        painter.setFont(SheetFont(points, true));
        const double labelHeight = DrawBoxedText(painter, QRectF(body.left(), y, labelWidth - 6, rowsBottom - y), row.label);
        painter.setFont(SheetFont(points));
        const double valueHeight =
            DrawBoxedText(painter, QRectF(body.left() + labelWidth, y, valueWidth, rowsBottom - y), row.value);
        y += std::max(labelHeight, valueHeight) + 3;
    }
    y = std::min(y, rowsBottom) + 8;

    // The sky chart and the compass rose side by side below.
    const double chartSide = std::max(kChartMinimum, std::min(body.width() * 0.62, body.bottom() - kFooter - y));
    const QRectF chartArea(body.left(), body.bottom() - kFooter - chartSide, chartSide, chartSide);
    QPalette paper;
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::Text, Qt::black);
    painter.setFont(SheetFont(7));
    PaintSkyChart(painter, SkyProjection::Fitting(chartArea), content.chart, content.obstacles, ChartColours::From(paper));
    const double roseRadius = std::min((body.right() - chartArea.right()) * 0.36, chartSide * 0.3);
    DrawCompassRose(painter, QPointF((chartArea.right() + body.right()) / 2, chartArea.center().y()), roseRadius,
                    static_cast<double>(content.report.figures.pointing.Azimuth), content.report.figures.magnetic.declination,
                    SheetFont(9, true), SheetFont(7));
    painter.setFont(SheetFont(7.5));
    painter.setPen(Qt::black);
    const QString footer = QStringLiteral("Azimora %1. Sky seen from above, north up; MN: magnetic north (%2). Times: %3.")
                               .arg(QString::fromLatin1(kVersion), QString::fromStdString(content.report.figures.magnetic.model),
                                    ZoneText(content.report.instant, content.report.zone.zone));
    painter.drawText(QRectF(body.left(), body.bottom() - kFooter + 2, body.width(), kFooter - 2), Qt::AlignLeft,
                     QFontMetricsF(painter.font()).elidedText(footer, Qt::ElideRight, body.width()));
    if (!painter.end() || !output.commit()) throw cannotWrite();
}

}  // namespace azimora::shell
