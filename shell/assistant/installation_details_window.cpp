// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "assistant/installation_details_window.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QSignalBlocker>
#include <QCompleter>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTimeZone>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include "assistant/obstacle_marks_editor.h"
#include "assistant/page_link_box.h"
#include "assistant/point_here.h"
#include "assistant/second_satellite_editor.h"
#include "assistant/window_places.h"
#include "main_window/main_window.h"
#include "widgets/figure_label.h"
#include "widgets/rule_spin_box.h"
#include "widgets/vector_state.h"

namespace azimora::shell {
namespace {

QScrollArea* Scrolling(QWidget* page, QWidget* parent) {
    auto* area = new QScrollArea(parent);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidget(page);
    // Not a Tab stop of its own (an unnamed, unseen stop for a screen reader):
    // tabbing through its boxes scrolls it.
    area->setFocusPolicy(Qt::NoFocus);
    return area;
}

}  // namespace

InstallationDetailsWindow::InstallationDetailsWindow(TfrmKorvel& main)
    : ToolWindow(main, QStringLiteral("Installation Details"), QSize(700, 820), QSize(520, 500)),
      main_(main),
      clock_([] { return QDateTime::currentDateTime(); }) {
    setObjectName(QStringLiteral("InstallationDetails"));
    setRememberedPlace(PlaceInSettings(objectName()));
    AssistantSession& session = AssistantSession::Of(main_);

    auto* layout = new QVBoxLayout(this);
    notice_ = new QLabel(this);
    notice_->setObjectName(QStringLiteral("notice"));
    notice_->setWordWrap(true);
    layout->addWidget(notice_);
    pointHere_ = new PointHereWidget(this);
    layout->addWidget(pointHere_);

    // The figures keep the room: they take what the entries below leave, and
    // both scroll when the window is smaller than they need.
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setChildrenCollapsible(false);
    auto* page = new QWidget;
    figuresForm_ = new QFormLayout(page);
    figuresForm_->setLabelAlignment(Qt::AlignLeft | Qt::AlignTop);
    figures_ = Scrolling(page, splitter);
    splitter->addWidget(figures_);

    auto* entriesPage = new QWidget;
    auto* entriesLayout = new QVBoxLayout(entriesPage);
    auto* dish = new QGroupBox(QStringLiteral("Your dish and the site's time"), entriesPage);
    auto* dishForm = new QFormLayout(dish);
    addSetting(dishForm, QStringLiteral("&Offset angle:"), session.settings().offsetAngle,
               InputRuleOf(InputField::OffsetAngle), QStringLiteral("\u00B0"), &AssistantSettings::offsetAngle);
    addSetting(dishForm, QStringLiteral("Dish &diameter:"), session.settings().dishDiameterMetres,
               InputRuleOf(InputField::DishDiameter), QStringLiteral(" m"), &AssistantSettings::dishDiameterMetres);
    addSetting(dishForm, QStringLiteral("&Frequency:"), session.settings().frequencyGHz, InputRuleOf(InputField::Frequency),
               QStringLiteral(" GHz"), &AssistantSettings::frequencyGHz);
    zone_ = new QComboBox(dish);
    zone_->setObjectName(QStringLiteral("timeZone"));
    zone_->setAccessibleName(QStringLiteral("Time zone"));
    fillTimeZones();
    dishForm->addRow(QStringLiteral("&Time zone:"), zone_);
    entriesLayout->addWidget(dish);
    second_ = new SecondSatelliteEditor(main_, entriesPage);
    entriesLayout->addWidget(second_);
    auto* marks = new ObstacleMarksEditor(session, entriesPage);
    entriesLayout->addWidget(marks);
    pageLink_ = new PageLinkBox(entriesPage);
    entriesLayout->addWidget(pageLink_);
    QScrollArea* entries = Scrolling(entriesPage, splitter);
    splitter->addWidget(entries);
    // A box reached by its mnemonic scrolls into view, as one reached by Tab does.
    connect(qApp, &QApplication::focusChanged, entries, [entries](QWidget*, QWidget* now) {
        if (now != nullptr && entries->widget()->isAncestorOf(now)) entries->ensureWidgetVisible(now);
    });
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({650, 350});  // in proportion, whatever the window's size
    layout->addWidget(splitter, 1);

    auto* copy = new QPushButton(QStringLiteral("&Copy All"), this);
    copy->setObjectName(QStringLiteral("copyAll"));
    auto* close = new QPushButton(QStringLiteral("Clo&se"), this);
    close->setObjectName(QStringLiteral("close"));
    connect(copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(plainText()); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    // One keystroke changes several values; they are looked at once, together.
    refreshSoon_.setSingleShot(true);
    refreshSoon_.setInterval(0);
    connect(&refreshSoon_, &QTimer::timeout, this, &InstallationDetailsWindow::refresh);
    connect(&main_, &TfrmKorvel::displayValuesChanged, &refreshSoon_, qOverload<>(&QTimer::start));
    connect(&session, &AssistantSession::changed, &refreshSoon_, qOverload<>(&QTimer::start));
    connect(&outageSearch_, &QFutureWatcher<void>::finished, &refreshSoon_, qOverload<>(&QTimer::start));
    refresh();
    marks->setDeclination([this] {
        if (refreshSoon_.isActive()) refresh();  // the site may have changed a moment ago
        return report_.figures.magnetic.declination;
    });
    // The figures first, for the keyboard too.
    setTabOrder(figures_, dish);
}

// A search still running ends before the window goes: it writes nothing of the window's.
InstallationDetailsWindow::~InstallationDetailsWindow() { outageSearch_.waitForFinished(); }

QDoubleSpinBox* InstallationDetailsWindow::addSetting(QFormLayout* form, const QString& label, double value,
                                                      const InputRule& rule, const QString& suffix,
                                                      double AssistantSettings::*field) {
    auto* box = new QDoubleSpinBox(this);
    FollowInputRule(*box, rule);
    box->setValue(value);
    box->setSuffix(suffix);
    box->setAccessibleName(QString(label).remove(u'&').remove(u':'));
    form->addRow(label, box);
    connect(box, &QDoubleSpinBox::valueChanged, this, [this, field](double changed) {
        AssistantSession& session = AssistantSession::Of(main_);
        AssistantSettings settings = session.settings();
        settings.*field = changed;
        session.setSettings(settings);
    });
    return box;
}

void InstallationDetailsWindow::fillTimeZones() {
    zone_->setEditable(true);
    zone_->setInsertPolicy(QComboBox::NoInsert);
    zone_->addItem(QStringLiteral("The site's own"), QByteArray());
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) zone_->addItem(QString::fromLatin1(id), id);
    zone_->completer()->setCompletionMode(QCompleter::PopupCompletion);
    zone_->completer()->setFilterMode(Qt::MatchContains);
    zone_->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    const QByteArray chosen = AssistantSession::Of(main_).settings().timeZone;
    zone_->setCurrentIndex(std::max(0, zone_->findData(chosen)));
    connect(zone_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0) return;
        AssistantSession& session = AssistantSession::Of(main_);
        AssistantSettings settings = session.settings();
        settings.timeZone = zone_->itemData(index).toByteArray();
        session.setSettings(settings);
    });
    // A new site starts from its own zone: the box shows it.
    connect(&AssistantSession::Of(main_), &AssistantSession::changed, zone_, [this] {
        const int index = std::max(0, zone_->findData(AssistantSession::Of(main_).settings().timeZone));
        if (index == zone_->currentIndex()) return;
        const QSignalBlocker quiet(zone_);
        zone_->setCurrentIndex(index);
    });
}

void InstallationDetailsWindow::setClock(std::function<QDateTime()> clock) {
    clock_ = std::move(clock);
    refresh();
}

void InstallationDetailsWindow::refresh() {
    ClearUpperVectorState();
    second_->fillSatellites();
    const AssistantSession& session = AssistantSession::Of(main_);
    try {
        report_ = BuildInstallationReport(main_.controller().Checked(), session.settings(), session.obstacles(),
                                          session.caches(), clock_(), OutageMode::Later);
    } catch (const std::exception&) {
        report_ = {};  // the main window reports a failing calculation itself
    }
    // The year's outage search goes to another thread; the window looks again
    // when it is done, and says it is working on them meanwhile.
    if (report_.pendingOutages && !outageSearch_.isRunning()) {
        outageSearch_.setFuture(QtConcurrent::run(
            [&store = session.caches().outages, search = *report_.pendingOutages] { store.Search(search); }));
    }
    const QList<InstallationRow> rows = InstallationRows(report_);
    notice_->setText(NoFiguresNotice(report_));
    notice_->setVisible(rows.isEmpty());
    pointHere_->show(PointHereOf(report_));
    pageLink_->show(report_.site, session.settings());
    figures_->setVisible(!rows.isEmpty());
    // The same rows as before: only the values that changed are set again.
    QStringList shape;
    for (const InstallationRow& row : rows) shape << row.section + u'/' + row.label;
    if (shape != shape_) {
        shape_ = shape;
        while (figuresForm_->rowCount() > 0) figuresForm_->removeRow(0);
        rows_.clear();
        QString section;
        for (const InstallationRow& row : rows) {
            if (row.section != section) {
                section = row.section;
                auto* heading = new QLabel(section, figures_->widget());
                QFont bold = heading->font();
                bold.setBold(true);
                heading->setFont(bold);
                figuresForm_->addRow(heading);
            }
            auto* name = new QLabel(row.label + u':', figures_->widget());
            auto* value = new FigureLabel(figures_->widget());
            name->setBuddy(value);
            figuresForm_->addRow(name, value);
            rows_.append(qMakePair(name, value));
        }
    }
    for (qsizetype i = 0; i < rows.size(); ++i) {
        QLabel* value = rows_[i].second;
        if (value->text() == rows[i].value) continue;
        value->setText(rows[i].value);
        value->setAccessibleName(rows[i].label + QStringLiteral(": ") + rows[i].value);
    }
}

QString InstallationDetailsWindow::plainText() const {
    if (!report_.site) return NoFiguresNotice(report_);
    QString text;
    if (const auto point = PointHereOf(report_)) text += PointHereSentence(*point) + u'\n';
    for (const InstallationRow& row : InstallationRows(report_)) text += row.label + QStringLiteral(": ") + row.value + u'\n';
    return text;
}

}  // namespace azimora::shell
