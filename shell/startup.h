// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

namespace azimora::shell {

inline constexpr int kSplashMilliseconds = 3000;

// The name the desktop knows the program by: the AppStream id, the desktop
// entry's file name (without ".desktop") and, on Wayland, the app id.
inline constexpr char kDesktopEntryName[] = "org.azimora.azimora";

// The program: the splash window for three seconds (the thread blocked, so
// the desktop sees it drawn and the program takes no input), the
// application title, the main window created hidden, the splash gone, then
// the event loop until the main window closes. Returns the exit code: 0
// after a normal run, 1 when start-up failed (reported first).
int RunAzimora(int argc, char* argv[]);

}  // namespace azimora::shell
