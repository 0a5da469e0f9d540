// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <signal.h>
#include <sys/types.h>

#include <cstdlib>
#include <string>

namespace azimora::testing {

// Holds the tests' window manager still while it lives, as a busy machine
// does: windows shown meanwhile wait to be mapped and framed.
// tests/desktop/with-x-server.sh names the window manager's process in
// AZIMORA_TEST_WM_PID; elsewhere there is none to hold (active() is false).
class PausedWindowManager {
public:
    PausedWindowManager() {
        const char* pid = std::getenv("AZIMORA_TEST_WM_PID");
        if (pid != nullptr && *pid != '\0') pid_ = static_cast<pid_t>(std::stol(pid));
        if (pid_ > 0 && ::kill(pid_, SIGSTOP) != 0) pid_ = 0;
    }
    ~PausedWindowManager() { Resume(); }
    PausedWindowManager(const PausedWindowManager&) = delete;
    PausedWindowManager& operator=(const PausedWindowManager&) = delete;

    [[nodiscard]] bool active() const { return pid_ > 0; }
    void Resume() {
        if (pid_ > 0) ::kill(pid_, SIGCONT);
        pid_ = 0;
    }

private:
    pid_t pid_ = 0;
};

}  // namespace azimora::testing
