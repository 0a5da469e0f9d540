// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include "qt_printers.h"

#include <QApplication>
#include <QTest>

#include <memory>

#include "main_window/main_window.h"
#include "scripted_dialogs.h"
#include "settings_file.h"
#include "temp_folder.h"
#include "tools_menu.h"
#include "event_bound.h"

namespace azimora::shell::testing {

// A main window over a fresh program folder, answering its boxes from a script.
class WindowTest : public ::testing::Test {
protected:
    azimora::testing::TempFolder folder;
    azimora::testing::ScriptedDialogs dialogs;
    std::unique_ptr<TfrmKorvel> window;

    // The main window as the program makes it, with its Tools menu.
    void SetUp() override {
        // Each test's tool windows start from no place the user chose.
        if (const auto settings = sources::OpenSettings()) settings->remove(QStringLiteral("windows"));
        window = std::make_unique<TfrmKorvel>(dialogs, folder.Path());
        ToolsMenu::AddTo(*window);
    }
    void TearDown() override { window.reset(); }

    void ShowWindow() {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get(), azimora::testing::kEventBoundMs));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), azimora::testing::kEventBoundMs));
    }

    // A site and satellite as the main window's boxes would hold them.
    void SetSite(const char* name, const char* latitude, const char* longitudeWest, const char* satellite,
                 const char* satelliteLongitudeWest) {
        window->controller().SetValue(DisplayField::LocName, name);
        window->controller().SetValue(DisplayField::NLat, latitude);
        window->controller().SetValue(DisplayField::WLong, longitudeWest);
        window->controller().SetValue(DisplayField::SatName, satellite);
        window->controller().SetValue(DisplayField::SatLong, satelliteLongitudeWest);
        QCoreApplication::processEvents();
    }

    template <typename T>
    T* Find(const char* name) const {
        T* widget = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
};

}  // namespace azimora::shell::testing
