// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "lists/list_file_lock.h"

#include <sys/file.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <thread>

#include "errors.h"
#include "lists/system_errors.h"

namespace azimora {

void LockListFile(int fd, std::chrono::steady_clock::time_point giveUp) {
    // Our own saves hold it for a moment only: look again soon, then less often.
    std::chrono::microseconds pause(100);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) ThrowInOut(errno);
        if (std::chrono::steady_clock::now() >= giveUp) throw Error(kListInUseMessage);
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(10000));
    }
}

bool StillNamed(int fd, const std::filesystem::path& file) {
    struct stat open {}, named {};
    return ::fstat(fd, &open) == 0 && ::stat(file.c_str(), &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
}

}  // namespace azimora
