// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "startup.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QMessageBox>

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <thread>

#include "app/qt_dialogs.h"
#include "app/qt_translations.h"
#include "app/splash_window.h"
#include "app/user_lists_folder.h"
#include "app/wheel_without_focus.h"
#include "main_window/main_window.h"
#include "tools_menu.h"
#include "widgets/ui_style.h"

// The artwork lives in this static library; resources of a static library
// must be registered by name.
static void RegisterArtwork() { Q_INIT_RESOURCE(assets); }

namespace azimora::shell {
namespace {

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) icon.addFile(QStringLiteral(":/azimora/icon-%1.png").arg(size), QSize(size, size));
    return icon;
}

void ReportStartupFailure(const QString& message) {
    std::fprintf(stderr, "Azimora could not start: %s\n", message.toLocal8Bit().constData());
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(kApplicationTitle), message, QMessageBox::Ok);
    box.exec();
}

}  // namespace

int RunAzimora(int argc, char* argv[]) {
    // The framework comes first: Qt has no window without it.
    QApplication app(argc, argv);
    InstallQtTranslations(app);  // before the first dialog
    RegisterArtwork();
    QApplication::setWindowIcon(ApplicationIcon());
    WheelOnlyWithFocus(app);

    QtDialogs dialogs;
    std::unique_ptr<TfrmKorvel> window;
    QString failure;
    try {
        // Destroyed on every way out of this block, a failure included.
        const auto splash = std::make_unique<SplashWindow>();
        splash->showAndPaint();
        // The wait shows the splash for its time; what the main window needs
        // and no window shows yet is made ready meanwhile, not after it.
        const auto shown = std::chrono::steady_clock::now();
        RegisterBundledFonts();
        PreloadWindowFonts();
        std::this_thread::sleep_until(shown + std::chrono::milliseconds(kSplashMilliseconds));
        // The name the desktop lists us under; window captions stay as they are.
        QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
        QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopEntryName));
        const std::filesystem::path programFolder = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
        const std::filesystem::path listsFolder = UserListsFolder(ThisProgramsFacts(programFolder));
        // The lists' own folder, data/, is made by the first save; its parent
        // in the user's data folder may not exist yet. Should that fail, the
        // save says why.
        std::error_code ignored;
        if (listsFolder != programFolder) std::filesystem::create_directories(listsFolder, ignored);
        window = std::make_unique<TfrmKorvel>(dialogs, listsFolder);
        ToolsMenu::AddTo(*window);
        dialogs.setOwner(window.get());
        splash->hide();
    } catch (const std::exception& error) {
        failure = QString::fromUtf8(error.what());
    } catch (...) {
        failure = QStringLiteral("Unexpected error");
    }
    if (!failure.isEmpty()) {
        ReportStartupFailure(failure);
        return 1;
    }

    window->show();  // runs FormShow
    return QApplication::exec();
}

}  // namespace azimora::shell
