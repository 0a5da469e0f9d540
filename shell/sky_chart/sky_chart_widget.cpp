// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "sky_chart/sky_chart_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "sky_chart/sky_chart_painter.h"
#include "widgets/angle_text.h"

namespace azimora::shell {
namespace {

constexpr double kHoverReach = 7;

}  // namespace

SkyChartWidget::SkyChartWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("skyChart"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("Sky chart"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SkyChartWidget::show(const SkyChart* chart, const ObstacleHorizon* obstacles) {
    chart_ = chart;
    obstacles_ = obstacles;
    update();
}

const ChartSatellite* SkyChartWidget::satelliteAt(QPointF point) const {
    if (chart_ == nullptr) return nullptr;
    const SkyProjection sky = SkyProjection::Fitting(rect());
    const ChartSatellite* nearest = nullptr;
    double best = kHoverReach;
    for (const ChartSatellite& satellite : chart_->satellites) {
        const QPointF d = sky.point(satellite.position.azimuth, satellite.position.elevation) - point;
        const double distance = std::hypot(d.x(), d.y());
        // The selected one wins a tie: it is drawn on top.
        if (distance < best || (distance == best && satellite.selected)) {
            best = distance;
            nearest = &satellite;
        }
    }
    return nearest;
}

int SkyChartWidget::markAt(QPointF point) const {
    if (obstacles_ == nullptr) return -1;
    const SkyProjection sky = SkyProjection::Fitting(rect());
    int nearest = -1;
    double best = kHoverReach;
    const auto& marks = obstacles_->Points();
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const QPointF d = sky.point(marks[i].azimuth, marks[i].elevation) - point;
        if (const double distance = std::hypot(d.x(), d.y()); distance < best) {
            best = distance;
            nearest = static_cast<int>(i);
        }
    }
    return nearest;
}

void SkyChartWidget::setSelectedMark(int index) {
    selectedMark_ = index;
    update();
}

QString SkyChartWidget::toolTipAt(QPointF point) const {
    const ChartSatellite* satellite = satelliteAt(point);
    if (satellite == nullptr) return {};
    return QStringLiteral("%1\nazimuth %2, elevation %3%4")
        .arg(QString::fromStdString(satellite->name), AzimuthText(satellite->position.azimuth, 1),
             DegreesText(satellite->position.elevation, 1),
             satellite->blocked ? QStringLiteral(", blocked") : QStringLiteral(", clear"));
}

void SkyChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (chart_ == nullptr || obstacles_ == nullptr) return;
    PaintSkyChart(painter, SkyProjection::Fitting(rect()), *chart_, *obstacles_, ChartColours::From(palette()),
                  selectedMark_);
}

void SkyChartWidget::mouseMoveEvent(QMouseEvent* event) {
    const QString tip = toolTipAt(event->position());
    if (tip.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(event->globalPosition().toPoint(), tip, this);
    }
}

void SkyChartWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    if (const ChartSatellite* satellite = satelliteAt(event->position())) {
        emit satelliteClicked(QString::fromStdString(satellite->name));
        return;
    }
    if (const int mark = markAt(event->position()); mark >= 0) {
        emit markClicked(mark);
        return;
    }
    if (const auto position = SkyProjection::Fitting(rect()).position(event->position())) emit skyClicked(*position);
}

void SkyChartWidget::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) && selectedMark_ >= 0) {
        emit deleteMarkPressed(selectedMark_);
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace azimora::shell
