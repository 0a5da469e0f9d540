// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "assistant/installation_details_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "assistant/vector_state.h"
#include "main_window/main_window.h"

namespace azimora::shell {

InstallationDetailsWindow::InstallationDetailsWindow(TfrmKorvel& main)
    : QWidget(&main, Qt::Window), main_(main), clock_([] { return QDateTime::currentDateTime(); }) {
    setObjectName(QStringLiteral("InstallationDetails"));
    setWindowTitle(QStringLiteral("Installation Details"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumWidth(620);
    resize(660, 780);

    auto* layout = new QVBoxLayout(this);
    notice_ = new QLabel(QString::fromLatin1(kNoCalculationNotice), this);
    notice_->setObjectName(QStringLiteral("notice"));
    notice_->setWordWrap(true);
    layout->addWidget(notice_);

    // The figures scroll when the window is smaller than they need.
    figures_ = new QScrollArea(this);
    figures_->setWidgetResizable(true);
    figures_->setFrameShape(QFrame::NoFrame);
    auto* page = new QWidget(figures_);
    figuresForm_ = new QFormLayout(page);
    figuresForm_->setLabelAlignment(Qt::AlignLeft | Qt::AlignTop);
    figures_->setWidget(page);
    layout->addWidget(figures_, 1);

    auto* entries = new QGroupBox(QStringLiteral("Your dish and obstacle"), this);
    auto* entryForm = new QFormLayout(entries);
    const auto follow = [this](QDoubleSpinBox* box, double AssistantSettings::*field) {
        connect(box, &QDoubleSpinBox::valueChanged, this, [this, field](double value) {
            settings_.*field = value;
            refresh();
        });
    };
    follow(addSetting(entryForm, QStringLiteral("&Offset angle:"), settings_.offsetAngle, 0, 45, 0.1, QStringLiteral("\u00B0")),
           &AssistantSettings::offsetAngle);
    follow(addSetting(entryForm, QStringLiteral("Dish &diameter:"), settings_.dishDiameterMetres, 0.2, 10, 0.05,
                      QStringLiteral(" m")),
           &AssistantSettings::dishDiameterMetres);
    follow(addSetting(entryForm, QStringLiteral("&Frequency:"), settings_.frequencyGHz, 1, 40, 0.1, QStringLiteral(" GHz")),
           &AssistantSettings::frequencyGHz);
    follow(addSetting(entryForm, QStringLiteral("Obstacle &height above the dish:"), settings_.obstacleHeightMetres, 0, 1000,
                      0.5, QStringLiteral(" m")),
           &AssistantSettings::obstacleHeightMetres);
    follow(addSetting(entryForm, QStringLiteral("Obstacle dis&tance:"), settings_.obstacleDistanceMetres, 0.1, 10000, 1,
                      QStringLiteral(" m")),
           &AssistantSettings::obstacleDistanceMetres);
    layout->addWidget(entries);

    auto* copy = new QPushButton(QStringLiteral("&Copy All"), this);
    copy->setObjectName(QStringLiteral("copyAll"));
    connect(copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(plainText()); });
    layout->addWidget(copy, 0, Qt::AlignRight);

    // One keystroke changes several values; they are looked at once, together.
    refreshSoon_.setSingleShot(true);
    refreshSoon_.setInterval(0);
    connect(&refreshSoon_, &QTimer::timeout, this, &InstallationDetailsWindow::refresh);
    connect(&main_, &TfrmKorvel::displayValuesChanged, &refreshSoon_, qOverload<>(&QTimer::start));
    refresh();
}

QDoubleSpinBox* InstallationDetailsWindow::addSetting(QFormLayout* form, const QString& label, double value, double low,
                                                      double high, double step, const QString& suffix) {
    auto* box = new QDoubleSpinBox(this);
    box->setLocale(QLocale::c());  // '.' is the decimal point throughout
    box->setDecimals(step < 0.1 ? 2 : 1);
    box->setRange(low, high);
    box->setSingleStep(step);
    box->setValue(value);
    box->setSuffix(suffix);
    box->setAccessibleName(QString(label).remove(u'&').remove(u':'));
    form->addRow(label, box);
    return box;
}

void InstallationDetailsWindow::setClock(std::function<QDateTime()> clock) {
    clock_ = std::move(clock);
    refresh();
}

void InstallationDetailsWindow::refresh() {
    ClearUpperVectorState();
    try {
        report_ = BuildInstallationReport(main_.controller().Values(), settings_, clock_());
    } catch (const std::exception&) {
        report_ = {};  // the main window reports a failing calculation itself
    }
    const QList<InstallationRow> rows = InstallationRows(report_, settings_);
    notice_->setVisible(rows.isEmpty());
    figures_->setVisible(!rows.isEmpty());
    while (rows_.size() < rows.size()) {
        const QString& section = rows[rows_.size()].section;
        if (rows_.isEmpty() || rows[rows_.size() - 1].section != section) {
            auto* heading = new QLabel(section, figures_->widget());
            QFont bold = heading->font();
            bold.setBold(true);
            heading->setFont(bold);
            figuresForm_->addRow(heading);
        }
        auto* name = new QLabel(figures_->widget());
        auto* value = new QLabel(figures_->widget());
        value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        value->setFocusPolicy(Qt::StrongFocus);
        value->setWordWrap(true);
        name->setBuddy(value);
        figuresForm_->addRow(name, value);
        rows_.append(qMakePair(name, value));
    }
    for (qsizetype i = 0; i < rows.size(); ++i) {
        rows_[i].first->setText(rows[i].label + u':');
        QLabel* value = rows_[i].second;
        if (value->text() == rows[i].value) continue;
        value->setText(rows[i].value);
        value->setAccessibleName(rows[i].label + QStringLiteral(": ") + rows[i].value);
    }
}

QString InstallationDetailsWindow::plainText() const {
    if (!report_.site) return QString::fromLatin1(kNoCalculationNotice);
    QString text;
    for (const InstallationRow& row : InstallationRows(report_, settings_)) text += row.label + QStringLiteral(": ") + row.value + u'\n';
    return text;
}

}  // namespace azimora::shell
