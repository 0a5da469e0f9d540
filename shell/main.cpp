// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "app/command_line.h"
#include "startup.h"

int main(int argc, char* argv[]) {
    if (const auto exitCode = azimora::shell::HandleCommandLine(argc, argv)) return *exitCode;
    return azimora::shell::RunAzimora(argc, argv);
}
