// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <filesystem>

// Saves of the same list by programs running at the same time take turns:
// each holds an advisory lock (flock) on the list while it writes.
namespace azimora {

// How long a save waits for another program that holds the list locked.
inline constexpr std::chrono::milliseconds kListLockPatience{1500};
inline constexpr const char* kListInUseMessage = "Nothing was saved: the list is in use by another program";

// Takes the lock of the open list fd, waiting for saves of other programs
// until giveUp: an editor can hold a lock for hours, and the window must not
// wait with it. Throws Error kListInUseMessage then, InOutError on a failure.
void LockListFile(int fd, std::chrono::steady_clock::time_point giveUp);

// Whether the open fd is still the file that bears the list's name: another
// save may have put a new file in its place while this one waited.
[[nodiscard]] bool StillNamed(int fd, const std::filesystem::path& file);

}  // namespace azimora
