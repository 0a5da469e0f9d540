// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "assistant/obstacle_marks_editor.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QKeyEvent>
#include <QVBoxLayout>

#include <cmath>

#include "installation/assistant_session.h"
#include "geometry/vector3.h"
#include "widgets/angle_text.h"

namespace azimora::shell {
namespace {

QDoubleSpinBox* NumberBox(QWidget* parent, double low, double high, int decimals, const QString& suffix,
                          const QString& name) {
    auto* box = new QDoubleSpinBox(parent);
    box->setLocale(QLocale::c());  // '.' is the decimal point throughout
    box->setDecimals(decimals);
    box->setRange(low, high);
    box->setSuffix(suffix);
    box->setAccessibleName(name);
    return box;
}

}  // namespace

ObstacleMarksEditor::ObstacleMarksEditor(AssistantSession& session, QWidget* parent)
    : QGroupBox(QStringLiteral("Obstacle marks"), parent), session_(session) {
    setObjectName(QStringLiteral("obstacleMarks"));
    auto* layout = new QVBoxLayout(this);
    auto* how = new QLabel(QString::fromUtf8(kHowMarksJoin), this);
    how->setWordWrap(true);
    layout->addWidget(how);

    auto* form = new QFormLayout;
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    azimuth_ = NumberBox(this, 0, 359.9, 1, QStringLiteral("\u00B0"), QStringLiteral("Mark azimuth"));
    azimuthKind_ = new QComboBox(this);
    azimuthKind_->addItems({QStringLiteral("true"), QStringLiteral("as read on a compass")});
    azimuthKind_->setAccessibleName(QStringLiteral("Azimuth read as"));
    // Its own label: on Linux a screen reader names a combo box by the label
    // it is the buddy of, else by its value ("true").
    auto* readAs = new QLabel(QStringLiteral("taken as"), this);
    readAs->setBuddy(azimuthKind_);
    auto* azimuthRow = new QHBoxLayout;
    azimuthRow->addWidget(azimuth_);
    azimuthRow->addWidget(readAs);
    azimuthRow->addWidget(azimuthKind_);
    auto* azimuthLabel = new QLabel(QStringLiteral("Az&imuth:"), this);
    azimuthLabel->setBuddy(azimuth_);
    form->addRow(azimuthLabel, azimuthRow);
    entryKind_ = new QComboBox(this);
    entryKind_->addItems({QStringLiteral("its top's elevation"), QStringLiteral("its height and distance")});
    entryKind_->setAccessibleName(QStringLiteral("The obstacle given by"));
    auto* kindLabel = new QLabel(QStringLiteral("Given &as:"), this);
    kindLabel->setBuddy(entryKind_);
    form->addRow(kindLabel, entryKind_);
    elevation_ = NumberBox(this, 0, 90, 1, QStringLiteral("\u00B0"), QStringLiteral("Mark elevation"));
    height_ = NumberBox(this, 0, 1000, 1, QStringLiteral(" m"), QStringLiteral("Height above the dish"));
    distance_ = NumberBox(this, 0.1, 10000, 1, QStringLiteral(" m"), QStringLiteral("Distance"));
    distance_->setValue(10);
    form->addRow(QStringLiteral("&Elevation:"), elevation_);
    form->addRow(QStringLiteral("&Height above the dish:"), height_);
    form->addRow(QStringLiteral("Dista&nce:"), distance_);
    converted_ = new QLabel(this);
    form->addRow(QString(), converted_);
    layout->addLayout(form);

    auto* add = new QPushButton(QStringLiteral("Add &Mark"), this);
    add->setObjectName(QStringLiteral("addMark"));
    apply_ = new QPushButton(QStringLiteral("Appl&y to Chosen Mark"), this);
    apply_->setObjectName(QStringLiteral("applyToMark"));
    apply_->setEnabled(false);
    auto* entryButtons = new QHBoxLayout;
    entryButtons->addStretch();
    entryButtons->addWidget(apply_);
    entryButtons->addWidget(add);
    layout->addLayout(entryButtons);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("obstacles"));
    list_->setAccessibleName(QStringLiteral("Obstacle marks"));
    list_->setMinimumHeight(list_->fontMetrics().height() * 3);
    list_->setMaximumHeight(list_->fontMetrics().height() * 8);
    layout->addWidget(list_);
    auto* remove = new QPushButton(QStringLiteral("&Remove"), this);
    undo_ = new QPushButton(QStringLiteral("&Undo"), this);
    auto* clear = new QPushButton(QStringLiteral("C&lear All"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(remove);
    buttons->addWidget(undo_);
    buttons->addWidget(clear);
    layout->addLayout(buttons);

    const auto removeSelected = [this] {
        if (list_->currentRow() >= 0) session_.removeObstacle(static_cast<std::size_t>(list_->currentRow()));
    };
    list_->installEventFilter(this);
    connect(remove, &QPushButton::clicked, this, removeSelected);
    connect(undo_, &QPushButton::clicked, &session_, &AssistantSession::undo);
    connect(clear, &QPushButton::clicked, &session_, &AssistantSession::clearObstacles);
    connect(add, &QPushButton::clicked, this, &ObstacleMarksEditor::addMark);
    connect(apply_, &QPushButton::clicked, this, &ObstacleMarksEditor::applyToMark);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        apply_->setEnabled(row >= 0);
        if (!refreshing_) loadMark(row);
    });
    for (QDoubleSpinBox* box : {azimuth_, elevation_, height_, distance_}) box->installEventFilter(this);
    connect(entryKind_, &QComboBox::currentIndexChanged, this, &ObstacleMarksEditor::showEntryKind);
    for (QDoubleSpinBox* box : {height_, distance_})
        connect(box, &QDoubleSpinBox::valueChanged, this, &ObstacleMarksEditor::showEntryKind);
    connect(list_, &QListWidget::currentRowChanged, this, &ObstacleMarksEditor::markSelected);
    connect(&session_, &AssistantSession::changed, this, &ObstacleMarksEditor::refreshList);
    showEntryKind();
    refreshList();
}

bool ObstacleMarksEditor::eventFilter(QObject* watched, QEvent* event) {
    // Enter in an entry applies it to the chosen mark.
    if (watched != list_ && event->type() == QEvent::KeyPress && list_->currentRow() >= 0) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            applyToMark();
            return true;
        }
    }
    // Delete in the list removes the selected mark.
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace) && list_->currentRow() >= 0) {
            session_.removeObstacle(static_cast<std::size_t>(list_->currentRow()));
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

double ObstacleMarksEditor::trueAzimuth() const {
    // A compass reads the true azimuth less the declination (east positive).
    return Wrap360(azimuth_->value() + (azimuthKind_->currentIndex() == 1 ? declination_() : 0));
}

double ObstacleMarksEditor::elevation() const {
    if (entryKind_->currentIndex() == 0) return elevation_->value();
    return Degrees(std::atan2(height_->value(), distance_->value()));
}

void ObstacleMarksEditor::addMark() { session_.addObstacle({trueAzimuth(), elevation()}); }

void ObstacleMarksEditor::selectMark(int index) { list_->setCurrentRow(index); }

void ObstacleMarksEditor::applyToMark() {
    const int row = list_->currentRow();
    if (row < 0) return;
    const std::size_t changed = session_.changeObstacle(static_cast<std::size_t>(row), {trueAzimuth(), elevation()});
    list_->setCurrentRow(static_cast<int>(changed));
}

// A mark as it is kept: a true azimuth and an elevation.
void ObstacleMarksEditor::loadMark(int index) {
    const auto& points = session_.obstacles().Points();
    if (index < 0 || static_cast<std::size_t>(index) >= points.size()) return;
    azimuthKind_->setCurrentIndex(0);
    entryKind_->setCurrentIndex(0);
    azimuth_->setValue(points[static_cast<std::size_t>(index)].azimuth);
    elevation_->setValue(points[static_cast<std::size_t>(index)].elevation);
}

void ObstacleMarksEditor::showEntryKind() {
    const bool byHeight = entryKind_->currentIndex() == 1;
    for (QWidget* widget : {static_cast<QWidget*>(elevation_)}) widget->setEnabled(!byHeight);
    height_->setEnabled(byHeight);
    distance_->setEnabled(byHeight);
    converted_->setText(byHeight ? QStringLiteral("its top stands %1 above the dish's horizon").arg(DegreesText(elevation(), 1))
                                 : QString());
}

void ObstacleMarksEditor::refreshList() {
    const int current = list_->currentRow();
    refreshing_ = true;
    list_->clear();
    for (const SkyPosition& mark : session_.obstacles().Points())
        list_->addItem(QStringLiteral("azimuth %1 true, elevation %2")
                           .arg(AzimuthText(mark.azimuth, 1), DegreesText(mark.elevation, 1)));
    if (current >= 0 && current < list_->count()) list_->setCurrentRow(current);
    refreshing_ = false;
    apply_->setEnabled(list_->currentRow() >= 0);
    undo_->setEnabled(session_.canUndo());
}

}  // namespace azimora::shell
