// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QMenuBar;
class QWidget;

// The main window's Tools menu, after File: the installation assistant, and
// satellites and places from outside sources.
// Each window opens once and is raised when asked for again; they belong
// to the main window and close with it.
namespace azimora::shell {

class FindLocationDialog;
class ImportSatellitesDialog;
class InstallationDetailsWindow;
class LineOfSightDialog;
class SkyChartWindow;
class TfrmKorvel;

class ToolsMenu final : public QObject {
    Q_OBJECT

public:
    ToolsMenu(TfrmKorvel& main, QMenuBar& bar);
    Q_DISABLE_COPY_MOVE(ToolsMenu)

    // The menu is added to a main window from outside: the window itself
    // knows nothing of the windows the menu opens.
    static ToolsMenu& AddTo(TfrmKorvel& main);
    [[nodiscard]] static ToolsMenu& Of(const TfrmKorvel& main);

    // Where the sheet goes: a save dialog; tests answer with a path. Empty: cancelled.
    using SheetFileChooser = std::function<QString(QWidget* owner)>;
    void setSheetFileChooser(SheetFileChooser chooser) { chooseSheetFile_ = std::move(chooser); }

    InstallationDetailsWindow& openDetails();
    SkyChartWindow& openSkyChart();
    void saveSheet();
    ImportSatellitesDialog& openImport();
    FindLocationDialog& openFindLocation();
    LineOfSightDialog& openLineOfSight();

private:
    TfrmKorvel& main_;
    QPointer<InstallationDetailsWindow> details_;
    QPointer<SkyChartWindow> skyChart_;
    QPointer<ImportSatellitesDialog> import_;
    QPointer<FindLocationDialog> findLocation_;
    QPointer<LineOfSightDialog> lineOfSight_;
    SheetFileChooser chooseSheetFile_;
};

}  // namespace azimora::shell
