// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "file_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace azimora::calc {

FileInput::FileInput(const std::string& path, Source source) {
    if (path == "-") {
        fd_ = STDIN_FILENO;
    } else {
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) {
            error_ = std::strerror(errno);
            return;
        }
        owned_ = true;
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return;  // the reading will say what is wrong
    if (S_ISDIR(info.st_mode)) {
        error_ = std::strerror(EISDIR);
        return;
    }
    if (source == Source::Any || S_ISREG(info.st_mode)) return;
    // A terminal is someone typing; any other device streams without an end.
    if ((S_ISCHR(info.st_mode) && !::isatty(fd_)) || S_ISBLK(info.st_mode)) {
        error_ = "it is a device, not a file or a pipe";
        return;
    }
    limit_ = kMaxPipedBytes;
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
    read_ += static_cast<std::uint64_t>(count);
    if (read_ > limit_) {
        error_ = "more than " + std::to_string(limit_ >> 20) + " MB came through the pipe without an end (a file of that size "
                 "is read)";
        return traits_type::eof();
    }
    setg(buffer_.data(), buffer_.data(), buffer_.data() + count);
    return traits_type::to_int_type(buffer_[0]);
}

}  // namespace azimora::calc
