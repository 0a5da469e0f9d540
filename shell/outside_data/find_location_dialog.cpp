// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "outside_data/find_location_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "errors.h"
#include "main_window/main_window.h"
#include "outside_data/my_position_dialog.h"
#include "text/coordinate_text.h"
#include "text/number_text.h"
#include "text/search_folding.h"
#include "widgets/angle_text.h"

namespace azimora::shell {
namespace {

constexpr std::size_t kResultsShown = 60;

QString Hemispheres(double latitude, double longitudeWest) {
    return LatitudeText(latitude, 4) + u' ' + LongitudeText(longitudeWest, 4);
}

}  // namespace

FindLocationDialog::FindLocationDialog(TfrmKorvel& main, const QString& locationsFile) : OnScreenDialog(&main), main_(main) {
    setObjectName(QStringLiteral("FindLocation"));
    setWindowTitle(QStringLiteral("Find Location"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(560, 480);

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("town"));
    search_->setPlaceholderText(QStringLiteral("a town's name, with or without accents"));
    search_->setClearButtonEnabled(true);
    form->addRow(QStringLiteral("&Town:"), search_);
    layout->addLayout(form);
    results_ = new QListWidget(this);
    results_->setObjectName(QStringLiteral("towns"));
    results_->setAccessibleName(QStringLiteral("Towns found"));
    layout->addWidget(results_, 1);

    auto* coordinates = new QFormLayout;
    coordinates_ = new QLineEdit(this);
    coordinates_->setObjectName(QStringLiteral("coordinates"));
    coordinates_->setPlaceholderText(QStringLiteral("51 05 N 114 05 W, 51\u00B005'N 114\u00B005'W or 51.08, -114.08"));
    coordinates_->setAccessibleDescription(
        QStringLiteral("Decimal degrees, or degrees minutes seconds with N S E W; signed decimals are east positive"));
    coordinates->addRow(QStringLiteral("Or c&oordinates:"), coordinates_);
    layout->addLayout(coordinates);

    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("message"));
    message_->setWordWrap(true);
    layout->addWidget(message_);

    auto* buttons = new QHBoxLayout;
    auto* myPosition = new QPushButton(QStringLiteral("Use &My Position..."), this);
    myPosition->setObjectName(QStringLiteral("myPosition"));
    buttons->addWidget(myPosition);
    connect(myPosition, &QPushButton::clicked, this, [this] { openMyPosition(); });
    auto* use = new QPushButton(QStringLiteral("&Use"), this);
    use->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    buttons->addStretch();
    buttons->addWidget(use);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    // Enter and Use take what the user worked on last: a town searched for
    // or highlighted wins over coordinates left in their box, and the other way.
    connect(search_, &QLineEdit::textEdited, this, [this] { lastWorkedOn_ = WorkedOn::Town; });
    connect(search_, &QLineEdit::textChanged, this, &FindLocationDialog::search);
    connect(search_, &QLineEdit::returnPressed, this, [this] { useResult(results_->currentRow()); });
    connect(results_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { useResult(results_->row(item)); });
    connect(results_, &QListWidget::itemClicked, this, [this] { lastWorkedOn_ = WorkedOn::Town; });
    connect(results_, &QListWidget::currentRowChanged, this, [this] {
        if (results_->hasFocus()) lastWorkedOn_ = WorkedOn::Town;
    });
    connect(coordinates_, &QLineEdit::textEdited, this, [this] { lastWorkedOn_ = WorkedOn::Coordinates; });
    connect(coordinates_, &QLineEdit::returnPressed, this, &FindLocationDialog::useCoordinates);
    connect(use, &QPushButton::clicked, this, &FindLocationDialog::use);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    try {
        places_ = PlaceIndex(sources::ReadGWeatherCities(locationsFile));
        message_->setText(QStringLiteral("%1 towns, from libgweather.").arg(places_.Size()));
    } catch (const Error& error) {
        search_->setEnabled(false);
        message_->setText(QString::fromUtf8(error.what()));
    }
}

void FindLocationDialog::search(const QString& query) {
    results_->clear();
    shown_ = places_.Search(FoldForSearch(query.toStdString()), kResultsShown);
    for (const Place* place : shown_) {
        QString where = QString::fromStdString(place->country);
        if (!place->state.empty()) where = QString::fromStdString(place->state) + QStringLiteral(", ") + where;
        results_->addItem(QString::fromStdString(place->name) + QStringLiteral(" \u2014 ") + where + QStringLiteral("  (") +
                          Hemispheres(place->latitude, place->longitudeWest) + u')');
    }
    if (!shown_.empty()) results_->setCurrentRow(0);
}

bool FindLocationDialog::use() {
    const bool coordinatesTyped = !coordinates_->text().trimmed().isEmpty();
    const bool townHighlighted = results_->currentRow() >= 0;
    if (coordinatesTyped && (lastWorkedOn_ == WorkedOn::Coordinates || !townHighlighted)) return useCoordinates();
    return useResult(results_->currentRow());
}

bool FindLocationDialog::useResult(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= shown_.size()) return false;
    const Place& place = *shown_[static_cast<std::size_t>(row)];
    // No comma: the name box takes none, as typing shows.
    const std::string within = place.state.empty() ? place.country : place.state;
    fill(QString::fromStdString(place.name + " (" + within + ")"), place.latitude, place.longitudeWest);
    return true;
}

bool FindLocationDialog::useCoordinates() {
    const auto place = ParseCoordinates(coordinates_->text().toStdString());
    if (!place) {
        message_->setText(QStringLiteral("These coordinates do not read: write them as 51 05 N 114 05 W, "
                                         "51\u00B005'N 114\u00B005'W, 51.0833 N 114.0833 W or 51.0833, -114.0833."));
        return false;
    }
    fill(Hemispheres(place->latitude, place->longitudeWest), place->latitude, place->longitudeWest);
    return true;
}

void FindLocationDialog::fill(const QString& name, double latitude, double longitudeWest) {
    PointingController& controller = main_.controller();
    main_.callHandler([&] {
        controller.SetValue(DisplayField::LocName, name.toStdString());
        controller.SetValue(DisplayField::NLat, FormatFixedTrimmed(latitude, 4));
        controller.SetValue(DisplayField::WLong, FormatFixedTrimmed(longitudeWest, 4));
    });
    message_->setText(QStringLiteral("In the main window: ") + name);
}

MyPositionDialog& FindLocationDialog::openMyPosition() {
    if (myPosition_.isNull()) {
        myPosition_ = new MyPositionDialog(this);
        connect(myPosition_, &MyPositionDialog::positionChosen, this, &FindLocationDialog::usePosition);
    }
    myPosition_->show();
    myPosition_->raise();
    return *myPosition_;
}

void FindLocationDialog::usePosition(double latitude, double longitudeWest) {
    // Named after the town it is in, as a user would name it; else plainly.
    double distanceKm = 0;
    const Place* town = places_.Nearest(latitude, longitudeWest, kSameTownKm, distanceKm);
    fill(town != nullptr ? QString::fromStdString(town->name) : QStringLiteral("My position"), latitude, longitudeWest);
}

QString FindLocationDialog::message() const { return message_->text(); }

}  // namespace azimora::shell
