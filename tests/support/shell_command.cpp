// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "shell_command.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>

namespace azimora::testing {

ProgramRun RunShellCommand(const std::string& command) {
    ProgramRun run;
    FILE* pipe = ::popen(("{ " + command + "; } 2>&1").c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 4096> buffer{};
    while (const std::size_t count = std::fread(buffer.data(), 1, buffer.size(), pipe)) run.out.append(buffer.data(), count);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace azimora::testing
