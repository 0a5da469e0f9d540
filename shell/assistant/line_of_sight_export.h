// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <functional>
#include <optional>

#include "installation/installation_report.h"
#include "formats/line_of_sight.h"
#include "placement/on_screen_dialog.h"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;

// Tools > Export Line of Sight: the dish's line of sight as a KML file and a
// GeoJSON file beside it, for a map program's aerial imagery.
namespace azimora::shell {

class TfrmKorvel;

// The line of sight of the report's site and satellite. Nullopt without a
// site; a satellite out of sight gives a line that the writers refuse.
// The name the file dialog suggests: the site's, without the characters
// that FAT and NTFS refuse ("Smith & Sons Roof East line of sight.kml").
[[nodiscard]] QString SuggestedLineOfSightName(const QString& siteName);

[[nodiscard]] std::optional<LineOfSight> LineOfSightOfReport(const InstallationReport& report, double lengthMetres,
                                                             std::optional<double> dishAltitudeMetres);

// Writes name.kml and name.geojson (whatever suffix the name came with),
// each whole or not at all. Returns the two paths; throws Error.
QStringList WriteLineOfSightFiles(const QString& chosenName, const LineOfSight& line);

class LineOfSightDialog final : public OnScreenDialog {
    Q_OBJECT

public:
    explicit LineOfSightDialog(TfrmKorvel& main);
    Q_DISABLE_COPY_MOVE(LineOfSightDialog)

    // Where the files go: a save dialog; tests answer with a path. Empty: cancelled.
    using FileChooser = std::function<QString(QWidget* owner, const QString& suggested)>;
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    [[nodiscard]] QDoubleSpinBox& length() const { return *length_; }
    [[nodiscard]] QCheckBox& altitudeKnown() const { return *altitudeKnown_; }
    [[nodiscard]] QDoubleSpinBox& altitude() const { return *altitude_; }
    [[nodiscard]] QString status() const;
    // Asks where, then writes both files; false when nothing was written.
    bool save();

private:
    TfrmKorvel& main_;
    QDoubleSpinBox* length_ = nullptr;
    QCheckBox* altitudeKnown_ = nullptr;
    QDoubleSpinBox* altitude_ = nullptr;
    QLabel* status_ = nullptr;
    FileChooser chooseFile_;
};

}  // namespace azimora::shell
