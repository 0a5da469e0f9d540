// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "assistant/sky_chart_window.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

#include "assistant/obstacle_marks_editor.h"
#include "assistant/window_places.h"
#include "geometry/visibility.h"
#include "installation/assistant_session.h"
#include "installation/installation_report.h"
#include "main_window/main_window.h"
#include "sky_chart/sky_chart_widget.h"
#include "widgets/angle_text.h"
#include "widgets/figure_label.h"
#include "widgets/vector_state.h"

namespace azimora::shell {
namespace {

QString Angle(double degrees) { return DegreesText(degrees, 1); }

// Lines of the summary and legend shown below the chart without scrolling.
constexpr int kWordsLines = 10;

}  // namespace

SkyChartWindow::SkyChartWindow(TfrmKorvel& main)
    : ToolWindow(main, QStringLiteral("Sky Chart"), QSize(940, 620), QSize(700, 460)), main_(main), source_(main) {
    setObjectName(QStringLiteral("SkyChart"));
    setRememberedPlace(PlaceInSettings(objectName()));
    AssistantSession& session = AssistantSession::Of(main_);

    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    notice_ = new QLabel(QString::fromLatin1(kNoCalculationNotice), this);
    notice_->setWordWrap(true);
    chartWidget_ = new SkyChartWidget(this);
    summary_ = new FigureLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    left->addWidget(notice_);
    left->addWidget(chartWidget_, 1);
    // The words below the chart in a part of their own, of a fixed height,
    // scrolling when they need more: the chart keeps its size however long
    // the summary grows (many marks, long names).
    auto* words = new QWidget;
    auto* wordsLayout = new QVBoxLayout(words);
    wordsLayout->setContentsMargins(0, 0, 0, 0);
    summary_->setParent(words);
    wordsLayout->addWidget(summary_);
    auto* legend = new QLabel(
        QStringLiteral("Seen from above, north up. Line: the geostationary arc. Dots: satellites, red where blocked; "
                       "ring: the chosen one (click a satellite to choose it). Dashes: the sun of the site's day, "
                       "with its hours. MN: magnetic north. Click the sky to mark an obstacle's top; click a mark "
                       "to select it, Delete removes it, Ctrl+Z undoes."),
        this);
    legend->setWordWrap(true);
    wordsLayout->addWidget(legend);
    wordsLayout->addStretch(1);
    auto* wordsArea = new QScrollArea(this);
    wordsArea->setObjectName(QStringLiteral("chartWords"));
    wordsArea->setWidgetResizable(true);
    wordsArea->setFrameShape(QFrame::NoFrame);
    wordsArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    wordsArea->setFocusPolicy(Qt::NoFocus);  // not a Tab stop of its own
    wordsArea->setWidget(words);
    wordsArea->setFixedHeight(legend->fontMetrics().lineSpacing() * kWordsLines + wordsLayout->spacing());
    left->addWidget(wordsArea);
    layout->addLayout(left, 1);

    auto* side = new QVBoxLayout;
    marks_ = new ObstacleMarksEditor(session, this);
    marks_->setDeclination([this] {
        if (refreshSoon_.isActive()) refresh();  // the site may have changed a moment ago
        return hasChart_ ? chart_.declination : 0.0;
    });
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(marks_);
    scroll->setFocusPolicy(Qt::NoFocus);  // its boxes are the stops; tabbing scrolls it
    side->addWidget(scroll, 1);
    auto* close = new QPushButton(QStringLiteral("Clo&se"), this);
    close->setObjectName(QStringLiteral("close"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    side->addWidget(close, 0, Qt::AlignRight);
    // The chart takes what the marks leave; the marks never scroll sideways:
    // their column is at least as wide as their boxes and buttons need.
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int marksNeed = marks_->minimumSizeHint().width() + scroll->verticalScrollBar()->sizeHint().width();
    const int character = scroll->fontMetrics().averageCharWidth();
    scroll->setMinimumWidth(std::max(marksNeed, character * 36));
    scroll->setMaximumWidth(std::max(marksNeed, character * 48));
    layout->addLayout(side, 0);

    auto* undo = new QShortcut(QKeySequence::Undo, this);
    connect(undo, &QShortcut::activated, &session, &AssistantSession::undo);
    connect(chartWidget_, &SkyChartWidget::skyClicked, this, &SkyChartWindow::addObstacle);
    connect(chartWidget_, &SkyChartWidget::satelliteClicked, this, &SkyChartWindow::offerSatellite);
    connect(chartWidget_, &SkyChartWidget::markClicked, marks_, &ObstacleMarksEditor::selectMark);
    connect(chartWidget_, &SkyChartWidget::deleteMarkPressed, &session,
            [&session](int index) { session.removeObstacle(static_cast<std::size_t>(index)); });
    connect(marks_, &ObstacleMarksEditor::markSelected, chartWidget_, &SkyChartWidget::setSelectedMark);
    // One keystroke changes several values; they are looked at once, together.
    refreshSoon_.setSingleShot(true);
    refreshSoon_.setInterval(0);
    connect(&refreshSoon_, &QTimer::timeout, this, &SkyChartWindow::refresh);
    connect(&main_, &TfrmKorvel::displayValuesChanged, &refreshSoon_, qOverload<>(&QTimer::start));
    connect(&session, &AssistantSession::changed, &refreshSoon_, qOverload<>(&QTimer::start));
    // The chart first, for the keyboard too.
    setTabOrder(chartWidget_, summary_);
    refresh();
}

const ObstacleHorizon& SkyChartWindow::obstacles() const { return AssistantSession::Of(main_).obstacles(); }

void SkyChartWindow::refresh() {
    ClearUpperVectorState();
    const AssistantSession& session = AssistantSession::Of(main_);
    const CheckedSite& checked = main_.controller().Checked();
    const QDateTime now = QDateTime::currentDateTime();
    QTimeZone zone = QTimeZone::utc();
    // The site's zone with or without a satellite: the sun's hours are the site's.
    std::optional<DisplaySite> place = checked.site;
    if (!place && checked.location)
        place = DisplaySite{{*checked.location, 0}, {}, main_.controller().Values().LocName};
    if (place) {
        const SiteZone siteZone = session.caches().zones.Of(*place, session.settings().timeZone);
        zone = siteZone.zone;
        zoneText_ = QStringLiteral("Hours on the site's clock, %1: %2.")
                        .arg(ZoneText(static_cast<double>(now.toSecsSinceEpoch()), zone), siteZone.how);
    } else {
        zoneText_ = QStringLiteral("Hours in UTC.");
    }
    const auto chart = source_.build(session.obstacles(), now, zone, SecondSatelliteOnChart(session.settings()));
    hasChart_ = chart.has_value();
    chart_ = chart.value_or(SkyChart{});
    InstallationReport missing;
    missing.missing = checked.missing;
    notice_->setText(NoFiguresNotice(missing));
    notice_->setVisible(!hasChart_ || missing.missing == MissingInput::Satellite);
    chartWidget_->setVisible(hasChart_);
    chartWidget_->show(hasChart_ ? &chart_ : nullptr, &session.obstacles());
    if (const int selected = chartWidget_->selectedMark(); selected >= static_cast<int>(session.obstacles().Points().size()))
        chartWidget_->setSelectedMark(-1);
    summary_->setText(hasChart_ ? summary() : QString());
    chartWidget_->setAccessibleDescription(summary());
}

namespace {

double HighestSun(const SkyChart& chart) {
    double highest = 0;
    for (const auto& arc : chart.sunPath)
        for (const SkyPosition& p : arc) highest = std::max(highest, p.elevation);
    return highest;
}

}  // namespace

QString SkyChartWindow::summary() const {
    if (!hasChart_) return NoFiguresNotice(InstallationReport{});
    QStringList parts;
    if (!chart_.geostationaryArc.empty()) {
        const auto highest = std::max_element(chart_.geostationaryArc.begin(), chart_.geostationaryArc.end(),
                                              [](const SkyPosition& a, const SkyPosition& b) { return a.elevation < b.elevation; });
        parts << QStringLiteral("The geostationary arc rises from azimuth %1 to %2 at azimuth %3 and sets at %4.")
                     .arg(Angle(chart_.geostationaryArc.front().azimuth), Angle(highest->elevation),
                          Angle(highest->azimuth), Angle(chart_.geostationaryArc.back().azimuth));
    } else {
        parts << QStringLiteral("No part of the geostationary arc is above this site's horizon.");
    }
    QStringList blocked;
    for (const ChartSatellite& satellite : chart_.satellites) {
        if (satellite.selected) {
            parts << QStringLiteral("%1: azimuth %2, elevation %3, %4.")
                         .arg(QString::fromStdString(satellite.name), Angle(satellite.position.azimuth),
                              Angle(satellite.position.elevation),
                              !IsVisible(satellite.position.elevation) ? QStringLiteral("below the horizon")
                              : satellite.blocked               ? QStringLiteral("blocked")
                                                                : QStringLiteral("clear"));
        } else if (satellite.blocked) {
            blocked << QString::fromStdString(satellite.name);
        }
    }
    parts << (blocked.isEmpty() ? QStringLiteral("No other satellite is blocked.")
                                : QStringLiteral("Blocked: %1.").arg(blocked.join(QStringLiteral(", "))));
    if (chart_.sunHours.empty()) {
        parts << QStringLiteral("The sun stays below the horizon all day.");
    } else {
        parts << QStringLiteral("The sun is up from about %1:00 (azimuth %2) to %3:00 (azimuth %4), highest %5.")
                     .arg(chart_.sunHours.front().hour)
                     .arg(Angle(chart_.sunHours.front().position.azimuth))
                     .arg(chart_.sunHours.back().hour)
                     .arg(Angle(chart_.sunHours.back().position.azimuth))
                     .arg(Angle(HighestSun(chart_)));
    }
    const auto& marks = obstacles().Points();
    if (marks.empty()) {
        parts << QStringLiteral("No obstacles marked.");
    } else {
        QStringList list;
        for (const SkyPosition& mark : marks) list << QStringLiteral("%1 at %2").arg(Angle(mark.elevation), Angle(mark.azimuth));
        parts << QStringLiteral("Obstacle marks: %1.").arg(list.join(QStringLiteral(", ")));
    }
    parts << zoneText_;
    return parts.join(u' ');
}

void SkyChartWindow::addObstacle(SkyPosition position) { AssistantSession::Of(main_).addObstacle(position); }

void SkyChartWindow::offerSatellite(const QString& name) {
    const ChartSatellite* found = nullptr;
    for (const ChartSatellite& satellite : chart_.satellites)
        if (QString::fromStdString(satellite.name) == name) found = &satellite;
    if (found == nullptr || found->selected) return;
    CatalogueNode* node = main_.satellites().FindNode(found->name);
    const QString question = QStringLiteral("%1: azimuth %2, elevation %3, %4. Make it the chosen satellite?")
                                 .arg(name, Angle(found->position.azimuth), Angle(found->position.elevation),
                                      found->blocked ? QStringLiteral("blocked") : QStringLiteral("clear"));
    if (node == nullptr || main_.dialogs().Confirm(question.toStdString()) != ConfirmAnswer::Yes) return;
    // As choosing it in the satellite listing would.
    main_.callHandler([&] { main_.controller().tvwSatChange(*node); });
}

}  // namespace azimora::shell
