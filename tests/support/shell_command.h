// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace azimora::testing {

struct ProgramRun {
    int status = -1;  // the exit status; -1 when it did not exit normally
    std::string out;  // standard output and standard error, as they came
};

// Runs a command line through /bin/sh, as a user at a terminal would.
[[nodiscard]] ProgramRun RunShellCommand(const std::string& command);

}  // namespace azimora::testing
