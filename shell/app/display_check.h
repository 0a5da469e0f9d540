// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>

// Whether a window can open, looked at before Qt's application is made:
// without a display, or in a Wayland session without Qt's Wayland plugin,
// Qt aborts (status 134) advising to reinstall. This says in one line what
// is missing, and takes the X server of a Wayland session (XWayland) where
// only the plugin is missing.
namespace azimora::shell {

struct DisplayEnvironment {
    std::string qtPlatform;      // -platform on the command line, else QT_QPA_PLATFORM
    std::string sessionType;     // XDG_SESSION_TYPE
    std::string x11Display;      // DISPLAY
    std::string waylandDisplay;  // WAYLAND_DISPLAY
    bool waylandPlugin = false;  // Qt's Wayland platform plugin is installed
    std::function<bool()> xAnswers;        // the X server takes a connection
    std::function<bool()> waylandAnswers;  // the Wayland compositor does
};

struct DisplayDecision {
    std::string problem;   // not empty: say it, exit 1
    std::string platform;  // not empty: the platform Qt is to use
};

[[nodiscard]] DisplayDecision DecideDisplay(const DisplayEnvironment& environment);

// This process's command line and environment, Qt's plugin folders and the
// displays' sockets.
[[nodiscard]] DisplayEnvironment CurrentDisplayEnvironment(int argc, char* argv[]);

}  // namespace azimora::shell
