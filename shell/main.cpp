// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <csignal>

#include "app/command_line.h"
#include "startup.h"

int main(int argc, char* argv[]) {
    // Past a file-size limit a save fails and says so; the program goes on.
    std::signal(SIGXFSZ, SIG_IGN);
    if (const auto exitCode = azimora::shell::HandleCommandLine(argc, argv)) return *exitCode;
    return azimora::shell::RunAzimora(argc, argv);
}
