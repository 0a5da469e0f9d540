// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "assistant/installation_sheet.h"

#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QSaveFile>

#include <cmath>

#include "azimora_version.h"
#include "errors.h"
#include "geometry/vector3.h"
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

// A compass rose: the dish's true azimuth, true north and magnetic north.
void DrawCompassRose(QPainter& painter, QPointF centre, double radius, double azimuth, double declination) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 0.8));
    painter.drawEllipse(centre, radius, radius);
    for (int degrees = 0; degrees < 360; degrees += 10) {
        const double a = Radians(degrees);
        const double inner = degrees % 90 == 0 ? radius * 0.82 : radius * 0.92;
        painter.drawLine(centre + QPointF(std::sin(a) * inner, -std::cos(a) * inner),
                         centre + QPointF(std::sin(a) * radius, -std::cos(a) * radius));
    }
    painter.setFont(SheetFont(9, true));
    const auto label = [&](double degrees, const QString& text, double at) {
        const double a = Radians(degrees);
        const QPointF p = centre + QPointF(std::sin(a) * radius * at, -std::cos(a) * radius * at);
        painter.drawText(QRectF(p.x() - 20, p.y() - 8, 40, 16), Qt::AlignCenter, text);
    };
    label(0, QStringLiteral("N"), 1.15);
    label(90, QStringLiteral("E"), 1.15);
    label(180, QStringLiteral("S"), 1.15);
    label(270, QStringLiteral("W"), 1.15);
    const auto arrow = [&](double degrees, const QColor& colour, double width, double length) {
        const double a = Radians(degrees);
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(centre, centre + QPointF(std::sin(a) * radius * length, -std::cos(a) * radius * length));
    };
    arrow(0, Qt::black, 1.2, 0.8);
    arrow(declination, QColor(150, 0, 150), 1.6, 0.8);
    arrow(azimuth, QColor(220, 100, 0), 2.4, 0.95);
    painter.setFont(SheetFont(7));
    painter.setPen(QColor(150, 0, 150));
    label(declination, QStringLiteral("MN"), 0.62);
    painter.setPen(QColor(220, 100, 0));
    label(azimuth, QStringLiteral("dish"), 0.62);
    painter.restore();
}

}  // namespace

QPageSize::PageSizeId SheetPageSize(const QLocale& locale) {
    return locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}

void WriteInstallationSheet(const QString& file, const SheetContent& content, const QLocale& locale) {
    if (!content.report.site) throw Error(kNoCalculationNotice);
    // Written beside the old sheet and renamed over it when whole: a failed
    // write leaves the old sheet, and a link stays a link to the new one.
    QSaveFile output(file);
    const auto cannotWrite = [&] {
        return Error("Cannot write \"" + file.toStdString() + "\": " + output.errorString().toStdString());
    };
    if (!output.open(QIODevice::WriteOnly)) throw cannotWrite();
    QPdfWriter writer(&output);
    writer.setPageSize(QPageSize(SheetPageSize(locale)));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(72);  // one unit is one point
    writer.setTitle(QStringLiteral("Azimora installation sheet"));
    writer.setCreator(QStringLiteral("Azimora ") + QString::fromLatin1(kVersion));
    QPainter painter;
    if (!painter.begin(&writer)) throw cannotWrite();

    const QRectF page(0, 0, writer.width(), writer.height());
    const QRectF body = page.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    double y = body.top();
    painter.setPen(Qt::black);
    painter.setFont(SheetFont(18, true));
    painter.drawText(QRectF(body.left(), y, body.width(), 24), Qt::AlignLeft, QStringLiteral("Installation sheet"));
    painter.setFont(SheetFont(9));
    painter.drawText(QRectF(body.left(), y, body.width(), 24), Qt::AlignRight | Qt::AlignBottom, content.printedOn);
    y += 34;

    // The figures, as in Installation Details.
    const double labelWidth = 185;
    QString section;
    for (const InstallationRow& row : InstallationRows(content.report, content.settings)) {
        if (row.section != section) {
            section = row.section;
            y += 4;
            painter.setFont(SheetFont(11, true));
            painter.drawText(QRectF(body.left(), y, body.width(), 16), Qt::AlignLeft, section);
            y += 17;
        }
        painter.setFont(SheetFont(9.5, true));
        painter.drawText(QRectF(body.left(), y, labelWidth, 200), Qt::AlignLeft | Qt::TextWordWrap, row.label);
        painter.setFont(SheetFont(9.5));
        const QRectF valueBox(body.left() + labelWidth, y, body.width() - labelWidth, 400);
        const QRectF used = painter.boundingRect(valueBox, Qt::AlignLeft | Qt::TextWordWrap, row.value);
        painter.drawText(valueBox, Qt::AlignLeft | Qt::TextWordWrap, row.value);
        y += std::max(used.height(), 12.0) + 4;
    }
    y += 10;

    // The sky chart and the compass rose side by side below.
    const double chartSide = std::min(body.width() * 0.62, body.bottom() - y);
    const QRectF chartArea(body.left(), y, chartSide, chartSide);
    QPalette paper;
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::Text, Qt::black);
    painter.setFont(SheetFont(7));
    PaintSkyChart(painter, SkyProjection::Fitting(chartArea), content.chart, content.obstacles, ChartColours::From(paper));
    const double roseRadius = std::min((body.right() - chartArea.right()) * 0.36, chartSide * 0.3);
    DrawCompassRose(painter, QPointF((chartArea.right() + body.right()) / 2, y + chartSide / 2), roseRadius,
                    static_cast<double>(content.report.figures.pointing.Azimuth), content.report.figures.magnetic.declination);
    painter.setFont(SheetFont(7.5));
    painter.drawText(QRectF(body.left(), body.bottom() - 12, body.width(), 12), Qt::AlignLeft,
                     QStringLiteral("Azimora %1. Sky seen from above, north up; MN: magnetic north (%2).")
                         .arg(QString::fromLatin1(kVersion), QString::fromStdString(content.report.figures.magnetic.model)));
    if (!painter.end() || !output.commit()) throw cannotWrite();
}

}  // namespace azimora::shell
