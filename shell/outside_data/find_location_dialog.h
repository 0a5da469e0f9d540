// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>

#include "formats/place_search.h"
#include "gweather_locations.h"
#include "placement/on_screen_dialog.h"

class QLabel;
class QLineEdit;
class QListWidget;

// Tools > Find Location: the world's towns offline (Debian's
// libgweather-4-common), found as the user types, and coordinates typed in
// decimal degrees or degrees, minutes and seconds. Choosing fills the
// location name, latitude and longitude of the main window as typing would.
namespace azimora::shell {

class MyPositionDialog;
class TfrmKorvel;

// A position this close to a town of the list is named after it.
inline constexpr double kSameTownKm = 5;

class FindLocationDialog final : public OnScreenDialog {
    Q_OBJECT

public:
    FindLocationDialog(TfrmKorvel& main, const QString& locationsFile = QString::fromLatin1(sources::kGWeatherLocations));
    Q_DISABLE_COPY_MOVE(FindLocationDialog)

    void search(const QString& query);
    // The result at a row into the main window; false without one.
    bool useResult(int row);
    // The coordinates field into the main window; false when it does not read.
    bool useCoordinates();
    // What Use and Enter do: the town highlighted or the coordinates typed,
    // whichever the user worked on last.
    bool use();

    [[nodiscard]] QListWidget& results() const { return *results_; }
    [[nodiscard]] QLineEdit& searchBox() const { return *search_; }
    [[nodiscard]] QLineEdit& coordinatesBox() const { return *coordinates_; }
    [[nodiscard]] QString message() const;
    // Use My Position: the desktop's location service or a GPS receiver.
    MyPositionDialog& openMyPosition();
    // A fix into the main window, named "My position" or after the town it is in.
    void usePosition(double latitude, double longitudeWest);

private:
    void fill(const QString& name, double latitude, double longitudeWest);

    TfrmKorvel& main_;
    PlaceIndex places_;
    std::vector<const Place*> shown_;
    QLineEdit* search_ = nullptr;
    QListWidget* results_ = nullptr;
    QLineEdit* coordinates_ = nullptr;
    QLabel* message_ = nullptr;
    QPointer<MyPositionDialog> myPosition_;
    enum class WorkedOn { Town, Coordinates } lastWorkedOn_ = WorkedOn::Town;
};

}  // namespace azimora::shell
