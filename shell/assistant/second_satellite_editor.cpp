// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "assistant/second_satellite_editor.h"

#include <QComboBox>
#include <QCompleter>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "installation/assistant_session.h"
#include "main_window/main_window.h"
#include "text/coordinate_text.h"
#include "text/number_text.h"
#include "widgets/angle_text.h"
#include "widgets/rule_spin_box.h"

namespace azimora::shell {
namespace {

constexpr const char* kNone = "None";
constexpr const char* kTypeHint = "Choose a satellite of the listing, or type its longitude: 13E, 13 E, or -13 (west "
                                  "positive, as in the main window).";

}  // namespace

SecondSatelliteEditor::SecondSatelliteEditor(TfrmKorvel& main, QWidget* parent)
    : QGroupBox(QStringLiteral("Second satellite on this dish"), parent), main_(main) {
    setObjectName(QStringLiteral("secondSatelliteEditor"));
    auto* form = new QFormLayout(this);
    satellite_ = new QComboBox(this);
    satellite_->setObjectName(QStringLiteral("secondSatellite"));
    satellite_->setAccessibleName(QStringLiteral("Second satellite"));
    satellite_->setEditable(true);
    satellite_->setInsertPolicy(QComboBox::NoInsert);
    satellite_->completer()->setCompletionMode(QCompleter::PopupCompletion);
    satellite_->completer()->setFilterMode(Qt::MatchContains);
    satellite_->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    fillSatellites();
    form->addRow(QStringLiteral("Satellite or lon&gitude:"), satellite_);

    focalLength_ = new QDoubleSpinBox(this);
    focalLength_->setObjectName(QStringLiteral("focalLength"));
    focalLength_->setAccessibleName(QStringLiteral("Focal length"));
    FollowInputRule(*focalLength_, InputRuleOf(InputField::FocalLength), true);
    focalLength_->setSuffix(QStringLiteral(" mm"));
    // 0 stands for the usual ratio; the spin box says so instead of "0 mm".
    focalLength_->setSpecialValueText(QStringLiteral("0.6 \u00D7 diameter"));
    focalLength_->setValue(AssistantSession::Of(main_).settings().focalLengthMm);
    form->addRow(QStringLiteral("Focal length, &vertex to LNB:"), focalLength_);

    hint_ = new QLabel(QString::fromLatin1(kTypeHint), this);
    hint_->setObjectName(QStringLiteral("secondSatelliteHint"));
    hint_->setWordWrap(true);
    form->addRow(hint_);

    connect(satellite_, &QComboBox::activated, this, &SecondSatelliteEditor::takeSatellite);
    connect(satellite_->lineEdit(), &QLineEdit::editingFinished, this, &SecondSatelliteEditor::takeSatellite);
    connect(focalLength_, &QDoubleSpinBox::valueChanged, this, [this](double millimetres) {
        AssistantSession& session = AssistantSession::Of(main_);
        AssistantSettings settings = session.settings();
        settings.focalLengthMm = millimetres;
        session.setSettings(settings);
    });
}

void SecondSatelliteEditor::fillSatellites() {
    const Catalogue& satellites = main_.satellites();
    if (satellites.NodeCount() == listedNodes_) return;
    listedNodes_ = satellites.NodeCount();
    const QString current = satellite_->currentText();
    satellite_->clear();
    satellite_->addItem(QString::fromLatin1(kNone));
    for (std::size_t i = 0; i < satellites.RootCount(); ++i) {
        const CatalogueNode& node = satellites.Root(i);
        const auto longitude = ParseNumber(node.Data1);
        if (!longitude) continue;
        const double satelliteLongitudeWest = static_cast<double>(*longitude);
        satellite_->addItem(
            QStringLiteral("%1 (%2)").arg(QString::fromStdString(node.Text), LongitudeText(satelliteLongitudeWest, 2)),
            QVariant::fromValue(satelliteLongitudeWest));
        satellite_->setItemData(satellite_->count() - 1, QString::fromStdString(node.Text), Qt::UserRole + 1);
    }
    satellite_->setCurrentText(current.isEmpty() ? QString::fromLatin1(kNone) : current);
}

void SecondSatelliteEditor::takeSatellite() {
    AssistantSession& session = AssistantSession::Of(main_);
    AssistantSettings settings = session.settings();
    const QString text = satellite_->currentText().trimmed();
    const int index = satellite_->findText(text);
    std::optional<double> satelliteLongitudeWest;
    QString name;
    if (index > 0) {
        satelliteLongitudeWest = satellite_->itemData(index).toDouble();
        name = satellite_->itemData(index, Qt::UserRole + 1).toString();
    } else if (index != 0 && !text.isEmpty()) {
        const auto typed = ParseAngle(text.toStdString(), "EW");
        if (!typed || *typed < -180 || *typed > 360) {
            hint_->setText(QStringLiteral("\"%1\" is no satellite of the listing and no longitude. %2")
                               .arg(text, QString::fromLatin1(kTypeHint)));
            return;
        }
        satelliteLongitudeWest = *typed;
    }
    hint_->setText(QString::fromLatin1(kTypeHint));
    if (settings.secondSatelliteWest == satelliteLongitudeWest && settings.secondSatelliteName == name) return;
    settings.secondSatelliteWest = satelliteLongitudeWest;
    settings.secondSatelliteName = name;
    session.setSettings(settings);
}

}  // namespace azimora::shell
