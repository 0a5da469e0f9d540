// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "assistant/sky_chart_window.h"

#include <QDateTime>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "assistant/installation_report.h"
#include "assistant/vector_state.h"
#include "main_window/main_window.h"
#include "sky_chart/sky_chart_widget.h"
#include "widgets/angle_text.h"

namespace azimora::shell {
namespace {

QString Angle(double degrees) { return DegreesText(degrees, 1); }

QDoubleSpinBox* AngleBox(QWidget* parent, double low, double high, const QString& name) {
    auto* box = new QDoubleSpinBox(parent);
    box->setLocale(QLocale::c());  // '.' is the decimal point throughout
    box->setDecimals(1);
    box->setRange(low, high);
    box->setSuffix(QStringLiteral("\u00B0"));
    box->setAccessibleName(name);
    return box;
}

}  // namespace

SkyChartWindow::SkyChartWindow(TfrmKorvel& main) : QWidget(&main, Qt::Window), main_(main), source_(main) {
    setObjectName(QStringLiteral("SkyChart"));
    setWindowTitle(QStringLiteral("Sky Chart"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    notice_ = new QLabel(QString::fromLatin1(kNoCalculationNotice), this);
    notice_->setWordWrap(true);
    chartWidget_ = new SkyChartWidget(this);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    left->addWidget(notice_);
    left->addWidget(chartWidget_, 1);
    left->addWidget(summary_);
    auto* legend = new QLabel(
        QStringLiteral("Seen from above, north up. Line: the geostationary arc. Dots: satellites, red where blocked; "
                       "ring: the chosen one. Dashes: today's sun, with its hours. MN: magnetic north."),
        this);
    legend->setWordWrap(true);
    left->addWidget(legend);
    layout->addLayout(left, 1);

    auto* horizon = new QGroupBox(QStringLiteral("Obstacle horizon"), this);
    auto* side = new QVBoxLayout(horizon);
    auto* hint = new QLabel(QStringLiteral("Click the chart at the top of an obstacle, or type where it is:"), horizon);
    hint->setWordWrap(true);
    side->addWidget(hint);
    auto* entry = new QFormLayout;
    azimuth_ = AngleBox(horizon, 0, 359.9, QStringLiteral("Obstacle azimuth"));
    elevation_ = AngleBox(horizon, 0, 90, QStringLiteral("Obstacle elevation"));
    entry->addRow(QStringLiteral("A&zimuth:"), azimuth_);
    entry->addRow(QStringLiteral("E&levation:"), elevation_);
    side->addLayout(entry);
    auto* add = new QPushButton(QStringLiteral("&Add"), horizon);
    connect(add, &QPushButton::clicked, this, [this] { addObstacle({azimuth_->value(), elevation_->value()}); });
    side->addWidget(add);
    obstacleList_ = new QListWidget(horizon);
    obstacleList_->setObjectName(QStringLiteral("obstacles"));
    obstacleList_->setAccessibleName(QStringLiteral("Obstacle points"));
    side->addWidget(obstacleList_, 1);
    auto* remove = new QPushButton(QStringLiteral("&Remove"), horizon);
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = obstacleList_->currentRow();
        if (row < 0) return;
        obstacles_.Remove(static_cast<std::size_t>(row));
        refreshObstacleList();
        refresh();
    });
    auto* clear = new QPushButton(QStringLiteral("C&lear All"), horizon);
    connect(clear, &QPushButton::clicked, this, [this] {
        obstacles_.Clear();
        refreshObstacleList();
        refresh();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(remove);
    buttons->addWidget(clear);
    side->addLayout(buttons);
    layout->addWidget(horizon);

    connect(chartWidget_, &SkyChartWidget::skyClicked, this, &SkyChartWindow::addObstacle);
    // One keystroke changes several values; they are looked at once, together.
    refreshSoon_.setSingleShot(true);
    refreshSoon_.setInterval(0);
    connect(&refreshSoon_, &QTimer::timeout, this, &SkyChartWindow::refresh);
    connect(&main_, &TfrmKorvel::displayValuesChanged, &refreshSoon_, qOverload<>(&QTimer::start));
    resize(760, 540);
    refresh();
}

void SkyChartWindow::refresh() {
    ClearUpperVectorState();
    const auto chart = source_.build(obstacles_, QDateTime::currentDateTime());
    hasChart_ = chart.has_value();
    chart_ = chart.value_or(SkyChart{});
    notice_->setVisible(!hasChart_);
    chartWidget_->setVisible(hasChart_);
    chartWidget_->show(hasChart_ ? &chart_ : nullptr, &obstacles_);
    summary_->setText(hasChart_ ? summary() : QString());
    chartWidget_->setAccessibleDescription(summary());
}

QString SkyChartWindow::summary() const {
    if (!hasChart_) return QString::fromLatin1(kNoCalculationNotice);
    QString text;
    QStringList blocked;
    for (const ChartSatellite& satellite : chart_.satellites) {
        if (satellite.selected) {
            text = QStringLiteral("%1: azimuth %2, elevation %3, %4.")
                       .arg(QString::fromStdString(satellite.name), Angle(satellite.position.azimuth),
                            Angle(satellite.position.elevation),
                            satellite.blocked ? QStringLiteral("blocked") : QStringLiteral("clear"));
        } else if (satellite.blocked) {
            blocked << QString::fromStdString(satellite.name);
        }
    }
    text += blocked.isEmpty() ? QStringLiteral(" No other satellite is blocked.")
                              : QStringLiteral(" Blocked: %1.").arg(blocked.join(QStringLiteral(", ")));
    return text;
}

void SkyChartWindow::addObstacle(SkyPosition position) {
    obstacles_.Add(position);
    refreshObstacleList();
    refresh();
}

void SkyChartWindow::refreshObstacleList() {
    obstacleList_->clear();
    for (const SkyPosition& point : obstacles_.Points())
        obstacleList_->addItem(QStringLiteral("azimuth %1, elevation %2").arg(Angle(point.azimuth), Angle(point.elevation)));
}

}  // namespace azimora::shell
