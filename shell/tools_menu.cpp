// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "tools_menu.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QMenuBar>

#include "assistant/installation_details_window.h"
#include "assistant/line_of_sight_export.h"
#include "assistant/sky_chart_window.h"
#include "installation/assistant_session.h"
#include "main_window/main_window.h"
#include "outside_data/find_location_dialog.h"
#include "outside_data/import_satellites_dialog.h"
#include "sheet/installation_sheet.h"
#include "sky_chart/display_sky_chart.h"
#include "widgets/vector_state.h"

namespace azimora::shell {
namespace {

QString ChooseSheetFileWithDialog(QWidget* owner) {
    return QFileDialog::getSaveFileName(owner, QStringLiteral("Save Installation Sheet"),
                                        QDir::home().filePath(QStringLiteral("Installation sheet.pdf")),
                                        QStringLiteral("PDF documents (*.pdf)"));
}

template <typename Window>
Window& Raise(QPointer<Window>& window, TfrmKorvel& main) {
    if (window.isNull()) window = new Window(main);
    window->show();
    window->raise();
    window->activateWindow();
    return *window;
}

}  // namespace

ToolsMenu::ToolsMenu(TfrmKorvel& main, QMenuBar& bar)
    : QObject(&main), main_(main), chooseSheetFile_(ChooseSheetFileWithDialog) {
    QMenu* tools = bar.addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("Tools1"));
    const auto add = [&](const char* name, const char* caption, auto slot) {
        QAction* action = tools->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
    };
    add("btnDetails", "Installation &Details...", [this] { openDetails(); });
    add("btnSkyChart", "&Sky Chart...", [this] { openSkyChart(); });
    add("btnSheet", "Save Installation S&heet...", [this] { saveSheet(); });
    add("btnLineOfSight", "Export &Line of Sight...", [this] { openLineOfSight(); });
    tools->addSeparator();
    add("btnImport", "&Import Satellites...", [this] { openImport(); });
    add("btnFindLocation", "&Find Location...", [this] { openFindLocation(); });
}

ToolsMenu& ToolsMenu::AddTo(TfrmKorvel& main) { return *new ToolsMenu(main, *main.menuBar()); }

ToolsMenu& ToolsMenu::Of(const TfrmKorvel& main) {
    return *main.findChild<ToolsMenu*>(QString(), Qt::FindDirectChildrenOnly);
}

ImportSatellitesDialog& ToolsMenu::openImport() { return Raise(import_, main_); }

FindLocationDialog& ToolsMenu::openFindLocation() { return Raise(findLocation_, main_); }

LineOfSightDialog& ToolsMenu::openLineOfSight() { return Raise(lineOfSight_, main_); }

InstallationDetailsWindow& ToolsMenu::openDetails() { return Raise(details_, main_); }

SkyChartWindow& ToolsMenu::openSkyChart() { return Raise(skyChart_, main_); }

void ToolsMenu::saveSheet() {
    main_.callHandler([this] {
        ClearUpperVectorState();
        AssistantSession& session = AssistantSession::Of(main_);
        session.waitForScanTables();
        SheetContent content;
        const QDateTime now = QDateTime::currentDateTime();
        content.report = BuildInstallationReport(main_.controller().Checked(), session.settings(), session.obstacles(),
                                                 session.caches(), now);
        if (!content.report.site) {
            main_.dialogs().ShowInformation(NoFiguresNotice(content.report).toStdString());
            return;
        }
        QString file = chooseSheetFile_(&main_);
        if (file.isEmpty()) return;
        file = WithPdfSuffix(file);
        content.obstacles = session.obstacles();
        content.chart = DisplaySkyChart(main_)
                            .build(content.obstacles, now, content.report.zone.zone, SecondSatelliteOnChart(session.settings()))
                            .value_or(SkyChart{});
        content.printedOn = QLocale().toString(InZone(content.report.instant, content.report.zone.zone), QLocale::LongFormat);
        WriteInstallationSheet(file, content);
    });
}

}  // namespace azimora::shell
