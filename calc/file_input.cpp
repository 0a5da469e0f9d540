// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "file_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace azimora::calc {

FileInput::FileInput(const std::string& path) {
    if (path == "-") {
        fd_ = STDIN_FILENO;
        return;
    }
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        error_ = std::strerror(errno);
        return;
    }
    owned_ = true;
    struct stat info {};
    if (::fstat(fd_, &info) == 0 && S_ISDIR(info.st_mode)) error_ = std::strerror(EISDIR);
}

FileInput::~FileInput() {
    if (owned_) ::close(fd_);
}

FileInput::int_type FileInput::underflow() {
    if (!error_.empty() || fd_ < 0) return traits_type::eof();
    ssize_t count = 0;
    do {
        count = ::read(fd_, buffer_.data(), buffer_.size());
    } while (count < 0 && errno == EINTR);
    if (count < 0) error_ = std::strerror(errno);
    if (count <= 0) return traits_type::eof();
    setg(buffer_.data(), buffer_.data(), buffer_.data() + count);
    return traits_type::to_int_type(buffer_[0]);
}

}  // namespace azimora::calc
