// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

// The program's command line: --help and --version, and the standard
// options of Qt's windowing (-platform, -display, -style, ...). Without
// arguments the program starts as it always has.
namespace azimora::shell {

// Handles a command line that asks for something other than the window,
// before any window exists and without opening the display: prints the help
// or the version to standard output (exit code 0), or an error with the
// usage to standard error (exit code 2). nullopt: start the program.
[[nodiscard]] std::optional<int> HandleCommandLine(int argc, char* argv[]);

}  // namespace azimora::shell
