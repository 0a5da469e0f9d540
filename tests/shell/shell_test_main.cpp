// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include <cstdio>
#include <cstdlib>

#include "ui_style.h"

// Widget tests run headless unless told otherwise, under a pinned locale.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LC_ALL", "en_US.UTF-8");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    azimora::shell::RegisterBundledFonts();
    const int result = RUN_ALL_TESTS();
    if (qEnvironmentVariableIsSet("AZIMORA_REQUIRE_ACCESSIBILITY")) {
        // On a loaded machine, taking Qt's AT-SPI bridge down against the
        // private session bus now and then stalls for seconds and ends the
        // process with status 1 after every test has passed; what the tests
        // found is the answer.
        std::fflush(nullptr);
        std::_Exit(result);
    }
    return result;
}
