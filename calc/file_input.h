// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <streambuf>
#include <string>

// A file or standard input read through read(2), so that a failure (a
// folder given as the file, an input/output error) is told apart from the
// end: std::filebuf reports both as the end.
namespace azimora::calc {

class FileInput final : public std::streambuf {
public:
    // "-" is standard input. Opening errors are kept in Error().
    explicit FileInput(const std::string& path);
    ~FileInput() override;
    FileInput(const FileInput&) = delete;
    FileInput& operator=(const FileInput&) = delete;

    // The system's description of the first failure, or empty.
    [[nodiscard]] const std::string& Error() const noexcept { return error_; }

protected:
    int_type underflow() override;

private:
    int fd_ = -1;
    bool owned_ = false;
    std::string error_;
    std::array<char, 65536> buffer_{};
};

}  // namespace azimora::calc
