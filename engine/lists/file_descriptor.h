// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <utility>

// What the reading and the writing of the list files share: how a list is
// opened, and a descriptor that closes on every way out.
namespace azimora {

// Never inherited by a program the window starts; a pipe or a device found
// under the list's name does not block the open.
inline constexpr int kListOpenFlags = O_CLOEXEC | O_NONBLOCK;

// The result of close() is of no interest here: a save has synced what it
// wrote before it lets go of the file.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) noexcept : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    [[nodiscard]] int get() const noexcept { return fd_; }
    [[nodiscard]] bool valid() const noexcept { return fd_ >= 0; }

private:
    int fd_;
};

}  // namespace azimora
