// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>

#include "app/wheel_without_focus.h"
#include "widgets/ui_style.h"

// Widget tests run headless unless told otherwise, under a pinned locale,
// with settings of their own (the user's azimora.conf stays untouched).
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    qputenv("LC_ALL", "en_US.UTF-8");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    azimora::shell::RegisterBundledFonts();
    azimora::shell::WheelOnlyWithFocus(app);
    return RUN_ALL_TESTS();
}
