// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "assistant/line_of_sight_export.h"

#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include <cmath>

#include "errors.h"
#include "main_window/main_window.h"
#include "report/report_line_of_sight.h"
#include "widgets/angle_text.h"
#include "widgets/rule_spin_box.h"
#include "widgets/vector_state.h"

namespace azimora::shell {
namespace {

// A file name every file system takes, FAT and NTFS too: without the
// characters they refuse (angle brackets, colon, quote, slashes, bar,
// question mark, asterisk) or control characters. A quote also makes Qt's
// file dialog read the name as a list of names, and save elsewhere than
// the folder typed.
QString PortableFileName(QString name) {
    for (QChar& c : name)
        if (c.unicode() < 0x20 || QStringLiteral("<>:\"/\\|?*").contains(c)) c = u' ';
    return name.simplified();
}

QString ChooseWithDialog(QWidget* owner, const QString& suggested) {
    return QFileDialog::getSaveFileName(owner, QStringLiteral("Export Line of Sight"), QDir::home().filePath(suggested),
                                        QStringLiteral("KML, with GeoJSON beside it (*.kml)"));
}

void WriteWhole(const QString& path, const std::string& text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), static_cast<qint64>(text.size())) !=
                                                static_cast<qint64>(text.size()) ||
        !file.commit())
        throw Error("Cannot write \"" + path.toStdString() + "\": " + file.errorString().toStdString());
}

}  // namespace

QString SuggestedLineOfSightName(const QString& siteName) {
    return PortableFileName(siteName + QStringLiteral(" line of sight")) + QStringLiteral(".kml");
}

std::optional<LineOfSight> LineOfSightOfReport(const InstallationReport& report, double lengthMetres,
                                               std::optional<double> dishAltitudeMetres) {
    if (!report.site) return std::nullopt;
    return LineOfSightOf(report.siteReport, report.site->locationName, lengthMetres, dishAltitudeMetres);
}

QStringList WriteLineOfSightFiles(const QString& chosenName, const LineOfSight& line) {
    const QFileInfo chosen(chosenName);
    const QString base = chosen.dir().filePath(chosen.suffix().compare(QStringLiteral("kml"), Qt::CaseInsensitive) == 0 ||
                                                       chosen.suffix().compare(QStringLiteral("geojson"),
                                                                               Qt::CaseInsensitive) == 0
                                                   ? chosen.completeBaseName()
                                                   : chosen.fileName());
    // Both texts first: a line the writers refuse leaves no file behind.
    const std::string kml = LineOfSightKml(line), geojson = LineOfSightGeoJson(line);
    const QStringList paths = {base + QStringLiteral(".kml"), base + QStringLiteral(".geojson")};
    WriteWhole(paths[0], kml);
    WriteWhole(paths[1], geojson);
    return paths;
}

LineOfSightDialog::LineOfSightDialog(TfrmKorvel& main)
    : OnScreenDialog(&main), main_(main), chooseFile_(ChooseWithDialog) {
    setObjectName(QStringLiteral("LineOfSight"));
    setWindowTitle(QStringLiteral("Export Line of Sight"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    auto* about = new QLabel(QStringLiteral("A KML file (Google Earth, most GIS) and a GeoJSON file (QGIS, web maps): "
                                            "the site, and a line along the dish's true azimuth; in KML the line also "
                                            "rises at the elevation angle, so trees and buildings taller than it stand "
                                            "out on aerial imagery."),
                             this);
    about->setWordWrap(true);
    layout->addWidget(about);
    auto* form = new QFormLayout;
    length_ = new QDoubleSpinBox(this);
    length_->setObjectName(QStringLiteral("lineLength"));
    length_->setAccessibleName(QStringLiteral("Length of the line"));
    FollowInputRule(*length_, InputRuleOf(InputField::LineOfSightLength));
    length_->setSuffix(QStringLiteral(" m"));
    length_->setValue(kDefaultLineOfSightMetres);
    form->addRow(QStringLiteral("&Length:"), length_);
    auto* altitudeRow = new QHBoxLayout;
    altitudeKnown_ = new QCheckBox(QStringLiteral("&Known:"), this);
    altitudeKnown_->setObjectName(QStringLiteral("altitudeKnown"));
    altitudeKnown_->setAccessibleName(QStringLiteral("The dish's height above sea level is known"));
    altitude_ = new QDoubleSpinBox(this);
    altitude_->setObjectName(QStringLiteral("dishAltitude"));
    altitude_->setAccessibleName(QStringLiteral("The dish's height above sea level"));
    FollowInputRule(*altitude_, InputRuleOf(InputField::HeightAboveSea));
    altitude_->setSuffix(QStringLiteral(" m"));
    altitude_->setEnabled(false);
    altitudeRow->addWidget(altitudeKnown_);
    altitudeRow->addWidget(altitude_, 1);
    form->addRow(QStringLiteral("Dish above sea level:"), altitudeRow);
    layout->addLayout(form);
    auto* heights = new QLabel(QStringLiteral("Without it the line's heights are above the ground under each point, "
                                              "which is right on flat land."),
                               this);
    heights->setWordWrap(true);
    layout->addWidget(heights);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(status_);
    auto* buttons = new QHBoxLayout;
    auto* saveButton = new QPushButton(QStringLiteral("&Save..."), this);
    saveButton->setDefault(true);
    auto* closeButton = new QPushButton(QStringLiteral("&Close"), this);
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    connect(altitudeKnown_, &QCheckBox::toggled, altitude_, &QWidget::setEnabled);
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
}

QString LineOfSightDialog::status() const { return status_->text(); }

bool LineOfSightDialog::save() {
    bool saved = false;
    main_.callHandler([&] {
        ClearUpperVectorState();
        const AssistantSession& session = AssistantSession::Of(main_);
        // The line needs no outages: none searched for it.
        const InstallationReport report =
            BuildInstallationReport(main_.controller().Checked(), session.settings(), session.obstacles(),
                                    session.caches(), QDateTime::currentDateTime(), OutageMode::Later);
        const auto line = LineOfSightOfReport(
            report, length_->value(), altitudeKnown_->isChecked() ? std::optional<double>(altitude_->value()) : std::nullopt);
        if (!line) {
            status_->setText(NoFiguresNotice(report));
            return;
        }
        // Refused before a file name is asked for: a satellite out of sight has no line.
        (void)LineOfSightPoints(*line);
        const QString file = chooseFile_(this, SuggestedLineOfSightName(QString::fromStdString(line->siteName)));
        if (file.isEmpty()) return;
        const QStringList paths = WriteLineOfSightFiles(file, *line);
        status_->setText(QStringLiteral("Saved %1 and %2.").arg(paths[0], paths[1]));
        saved = true;
    });
    return saved;
}

}  // namespace azimora::shell
