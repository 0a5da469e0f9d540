// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Before Qt's application is made: no display, or a Wayland session without
// Qt's Wayland plugin, is said in one line with exit status 1 instead of
// Qt's abort; an X server beside the compositor (XWayland) is taken when
// only the plugin is missing. The decision for each environment, then the
// real program started without any display.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "app/display_check.h"
#include "event_bound.h"

namespace azimora::shell {
namespace {

TEST(DisplayCheck, WhatEachEnvironmentGets) {
    const auto yes = [] { return true; };
    const auto no = [] { return false; };
    struct Case {
        const char* what;
        DisplayEnvironment environment;
        const char* problem;   // a part of the message; "" for none
        const char* platform;  // "" for Qt's own choice
    };
    const Case cases[] = {
        {"nothing at all", {"", "", "", "", false, no, no}, "no display: start Azimora in a desktop session", ""},
        {"an X display that answers", {"", "x11", ":0", "", false, yes, no}, "", ""},
        {"an X display that does not", {"", "", ":7", "", false, no, no}, "the X display ':7' does not answer", ""},
        {"xcb asked, no DISPLAY", {"xcb", "", "", "", false, yes, no}, "no X display (DISPLAY is not set)", ""},
        {"offscreen asked", {"offscreen", "", "", "", false, no, no}, "", ""},
        {"-platform vnc", {"vnc:size=800x600", "", "", "", false, no, no}, "", ""},
        {"Wayland with its plugin", {"", "wayland", ":0", "wayland-0", true, yes, yes}, "", ""},
        {"Wayland without the plugin, XWayland there", {"", "wayland", ":0", "wayland-0", false, yes, yes}, "", "xcb"},
        {"Wayland without the plugin or X",
         {"", "wayland", "", "wayland-0", false, no, yes},
         "needs Qt's Wayland platform plugin: install the package qt6-wayland", ""},
        {"Wayland asked by name, plugin missing, X there", {"wayland", "", ":1", "wayland-1", false, yes, no}, "", "xcb"},
        {"a compositor that does not answer, no X",
         {"", "wayland", "", "wayland-3", true, no, no}, "the Wayland display 'wayland-3' does not answer", ""},
        {"WAYLAND_DISPLAY alone, no session type", {"", "", "", "wayland-0", false, no, yes}, "qt6-wayland", ""},
    };
    for (const Case& c : cases) {
        const DisplayDecision decision = DecideDisplay(c.environment);
        if (*c.problem == '\0')
            EXPECT_EQ(decision.problem, "") << c.what;
        else
            EXPECT_NE(decision.problem.find(c.problem), std::string::npos) << c.what << ": " << decision.problem;
        EXPECT_EQ(decision.platform, c.platform) << c.what;
    }
}

// The installed program's way: started with no display, it says so in one
// line and ends with 1, not Qt's abort (134) blaming the installation.
TEST(DisplayCheck, TheProgramWithoutADisplaySaysSo) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(AZIMORA_EXECUTABLE), {});
    ASSERT_TRUE(process.waitForFinished(azimora::testing::kEventBoundMs));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(QString::fromLocal8Bit(process.readAllStandardError()),
              QStringLiteral("azimora: no display: start Azimora in a desktop session (X11 or Wayland)\n"));
}

}  // namespace
}  // namespace azimora::shell
