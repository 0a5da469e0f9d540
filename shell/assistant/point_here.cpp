// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "assistant/point_here.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

#include "geometry/vector3.h"
#include "widgets/angle_text.h"
#include "widgets/contrast.h"

namespace azimora::shell {
namespace {

QString Big(double degrees) { return DegreesText(degrees, 1); }

QString Turn(const PointHereFigures& f) {
    if (!f.skew) return QStringLiteral("no turn");
    if (std::fabs(*f.skew) < 0.05) return QStringLiteral("upright");
    return *f.skew > 0 ? QStringLiteral("clockwise") : QStringLiteral("counter-clockwise");
}

struct Cell {
    QString caption, number, detail;
    bool warn = false;
};

}  // namespace

std::optional<PointHereFigures> PointHereOf(const InstallationReport& report) {
    if (!report.site || !report.figures.visible) return std::nullopt;
    const InstallationFigures& f = report.figures;
    PointHereFigures figures;
    figures.azimuth = static_cast<double>(f.pointing.Azimuth);
    figures.compassBearing = f.compassBearing;
    figures.compassUnreliable = f.compassWarning == CompassWarning::Unreliable;
    figures.elevation = static_cast<double>(f.pointing.Elevation);
    if (report.offsetAngle > 0) figures.inclinometer = f.dishTilt;
    // A circular satellite needs no turn: say so rather than a number.
    const bool circular = report.siteReport.polarisation.ofSatellite == Polarisation::Circular;
    if (f.skew && !circular) figures.skew = f.skew;
    figures.lnbWords = QString::fromStdString(report.siteReport.words.skew);
    return figures;
}

QString PointHereSentence(const PointHereFigures& f) {
    QString sentence = QStringLiteral("Point the dish %1 degrees true, %2 degrees on a compass%3, %4 degrees up")
                           .arg(AzimuthText(f.azimuth, 2).chopped(1), AzimuthText(f.compassBearing, 2).chopped(1),
                                f.compassUnreliable ? QStringLiteral(" (unreliable here)") : QString(),
                                QString::number(f.elevation, 'f', 2));
    if (f.inclinometer)
        sentence += QStringLiteral(" (an inclinometer on the face reads %1)").arg(QString::number(*f.inclinometer, 'f', 2));
    return sentence + QStringLiteral("; LNB: %1.").arg(f.lnbWords);
}

void PaintLnbClock(QPainter& painter, QPointF centre, double radius, double skew, const PointHereColours& colours) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colours.caption, std::max(1.0, radius / 20)));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius, radius);
    for (int hour = 0; hour < 12; ++hour) {
        const double a = Radians(hour * 30.0);
        const double inner = hour % 3 == 0 ? 0.78 : 0.88;
        painter.drawLine(centre + QPointF(std::sin(a), -std::cos(a)) * radius * inner,
                         centre + QPointF(std::sin(a), -std::cos(a)) * radius);
    }
    // Twelve o'clock, where the LNB starts, faint; its arm where it goes.
    painter.setPen(QPen(colours.caption, std::max(1.0, radius / 25), Qt::DotLine));
    painter.drawLine(centre, centre + QPointF(0, -radius * 0.7));
    const double a = Radians(skew);
    const QPointF tip = centre + QPointF(std::sin(a), -std::cos(a)) * radius * 0.72;
    painter.setPen(QPen(colours.accent, std::max(2.0, radius / 7), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre - (tip - centre) * 0.45, tip);
    // The way to turn, along the rim.
    if (std::fabs(skew) >= 0.5) {
        QPainterPath arc;
        const QRectF box(centre.x() - radius * 0.5, centre.y() - radius * 0.5, radius, radius);
        arc.arcMoveTo(box, 90);
        arc.arcTo(box, 90, -skew);
        painter.setPen(QPen(colours.accent, std::max(1.0, radius / 18)));
        painter.drawPath(arc);
    }
    painter.setBrush(colours.accent);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(centre, radius * 0.08, radius * 0.08);
    painter.restore();
}

void PaintPointHere(QPainter& painter, const QRectF& area, const PointHereFigures& f, const PointHereColours& colours) {
    painter.save();
    const Cell cells[] = {
        {QStringLiteral("True azimuth"), AzimuthText(f.azimuth, 1), QStringLiteral("from true north")},
        {QStringLiteral("Compass bearing"), AzimuthText(f.compassBearing, 1),
         f.compassUnreliable ? QStringLiteral("unreliable here") : QStringLiteral("as the needle reads"), f.compassUnreliable},
        f.inclinometer ? Cell{QStringLiteral("Inclinometer on the face"), Big(*f.inclinometer),
                              QStringLiteral("elevation %1").arg(Big(f.elevation))}
                       : Cell{QStringLiteral("Elevation"), Big(f.elevation), QStringLiteral("above the horizon")},
        {QStringLiteral("LNB turn"), f.skew ? Big(std::fabs(*f.skew)) : QStringLiteral("none"), Turn(f)},
    };
    const double clockWidth = std::min(area.height(), area.width() / 5);
    const double cellWidth = (area.width() - clockWidth) / 4;
    const double h = area.height();
    QFont caption = painter.font();
    caption.setPixelSize(std::max(6, static_cast<int>(h * 0.16)));
    caption.setBold(false);
    QFont number = caption;
    number.setPixelSize(std::max(10, static_cast<int>(h * 0.40)));
    number.setBold(true);
    for (int i = 0; i < 4; ++i) {
        const QRectF cell(area.left() + i * cellWidth, area.top(), cellWidth - 4, h);
        painter.setFont(caption);
        painter.setPen(colours.caption);
        const QFontMetricsF captionMetrics(caption);
        painter.drawText(QRectF(cell.left(), cell.top(), cell.width(), h * 0.24), Qt::AlignLeft | Qt::AlignTop,
                         captionMetrics.elidedText(cells[i].caption, Qt::ElideRight, cell.width()));
        painter.setFont(number);
        painter.setPen(cells[i].warn ? colours.warning : colours.text);
        painter.drawText(QRectF(cell.left(), cell.top() + h * 0.22, cell.width(), h * 0.52), Qt::AlignLeft | Qt::AlignVCenter,
                         QFontMetricsF(number).elidedText(cells[i].number, Qt::ElideRight, cell.width()));
        painter.setFont(caption);
        painter.setPen(cells[i].warn ? colours.warning : colours.caption);
        painter.drawText(QRectF(cell.left(), cell.top() + h * 0.76, cell.width(), h * 0.24), Qt::AlignLeft | Qt::AlignTop,
                         captionMetrics.elidedText(cells[i].detail, Qt::ElideRight, cell.width()));
    }
    const double radius = clockWidth * 0.42;
    PaintLnbClock(painter, QPointF(area.right() - clockWidth / 2, area.top() + h / 2), radius, f.skew.value_or(0), colours);
    painter.restore();
}

PointHereWidget::PointHereWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pointHere"));
    setAccessibleName(QStringLiteral("Point here"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void PointHereWidget::show(const std::optional<PointHereFigures>& figures) {
    figures_ = figures;
    setVisible(figures_.has_value());
    setAccessibleDescription(figures_ ? PointHereSentence(*figures_) : QString());
    update();
}

QSize PointHereWidget::sizeHint() const {
    const int line = fontMetrics().height();
    return {line * 30, line * 5};
}

QSize PointHereWidget::minimumSizeHint() const {
    const int line = fontMetrics().height();
    return {line * 18, line * 5};
}

void PointHereWidget::paintEvent(QPaintEvent*) {
    if (!figures_) return;
    QPainter painter(this);
    const QPalette& p = palette();
    // The hand is the answer: 4.5:1 against the window in any palette (the
    // dark one's highlight is 2.4:1 as it comes); the captions 3:1, as graphics.
    const QColor back = p.color(QPalette::Window);
    const PointHereColours colours{p.color(QPalette::WindowText), WithContrast(p.color(QPalette::PlaceholderText), back, 3),
                                   WithContrast(p.color(QPalette::Highlight), back, 4.5),
                                   WithContrast(QColor(210, 40, 40), back, 4.5)};
    PaintPointHere(painter, QRectF(rect()).adjusted(2, 2, -2, -2), *figures_, colours);
}

}  // namespace azimora::shell
