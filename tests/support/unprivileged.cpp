// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "unprivileged.h"

#include <sys/wait.h>
#include <unistd.h>

namespace azimora::testing {

std::optional<std::string> RunUnprivileged(const std::function<std::string()>& body) {
    if (::geteuid() != 0) return body();

    constexpr uid_t kNobody = 65534;
    int fds[2];
    if (::pipe(fds) != 0) return std::nullopt;
    const pid_t child = ::fork();
    if (child < 0) return std::nullopt;
    if (child == 0) {
        ::close(fds[0]);
        int status = 1;
        if (::setgid(kNobody) == 0 && ::setuid(kNobody) == 0) {
            const std::string result = body();
            status = ::write(fds[1], result.data(), result.size()) == static_cast<ssize_t>(result.size()) ? 0 : 1;
        }
        ::_exit(status);
    }
    ::close(fds[1]);
    std::string result;
    char buffer[512];
    ssize_t count;
    while ((count = ::read(fds[0], buffer, sizeof buffer)) > 0) result.append(buffer, static_cast<std::size_t>(count));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return result;
}

}  // namespace azimora::testing
