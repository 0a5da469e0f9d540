// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "app/command_line.h"
#include "app/display_check.h"
#include "startup.h"

int main(int argc, char* argv[]) {
    // Past a file-size limit a save fails and says so; the program goes on.
    std::signal(SIGXFSZ, SIG_IGN);
    if (const auto exitCode = azimora::shell::HandleCommandLine(argc, argv)) return *exitCode;
    // No window without a display: say what is missing rather than let Qt abort.
    const auto display = azimora::shell::DecideDisplay(azimora::shell::CurrentDisplayEnvironment(argc, argv));
    if (!display.problem.empty()) {
        std::fprintf(stderr, "azimora: %s\n", display.problem.c_str());
        return 1;
    }
    if (!display.platform.empty()) ::setenv("QT_QPA_PLATFORM", display.platform.c_str(), 1);
    return azimora::shell::RunAzimora(argc, argv);
}
