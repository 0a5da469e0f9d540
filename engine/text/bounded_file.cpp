// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "text/bounded_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace azimora {
namespace {

BoundedRead Failed(BoundedReadFailure failure, int error = 0) {
    return {std::nullopt, failure, error != 0 ? std::strerror(error) : std::string()};
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    [[nodiscard]] int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

BoundedRead ReadBoundedFile(const std::filesystem::path& file, std::size_t maxBytes) {
    const Descriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        const int error = errno;
        return Failed(error == ENOENT || error == ENOTDIR ? BoundedReadFailure::Missing : BoundedReadFailure::Unreadable,
                      error);
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return Failed(BoundedReadFailure::Unreadable, errno);
    if (!S_ISREG(info.st_mode)) return Failed(BoundedReadFailure::NotAFile);
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) return Failed(BoundedReadFailure::TooLarge);

    // Read to the end, not to the size seen: the file may change meanwhile.
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char block[65536];
    while (true) {
        const ssize_t got = ::read(fd.get(), block, sizeof block);
        if (got < 0) {
            if (errno == EINTR) continue;
            return Failed(BoundedReadFailure::Unreadable, errno);
        }
        if (got == 0) break;
        if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) return Failed(BoundedReadFailure::TooLarge);
        bytes.append(block, static_cast<std::size_t>(got));
    }
    return {std::move(bytes), BoundedReadFailure::Missing, {}};
}

}  // namespace azimora
