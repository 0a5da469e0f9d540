// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <streambuf>
#include <string>

// A file or standard input read through read(2), so that a failure (a
// folder given as the file, an input/output error) is told apart from the
// end: std::filebuf reports both as the end.
namespace azimora::calc {

// What a pipe may bring before its reader gives up: the most a file of
// orbit mean-elements messages is read to (formats/element_file_reader.h).
inline constexpr std::uint64_t kMaxPipedBytes = 256ull << 20;

class FileInput final : public std::streambuf {
public:
    enum class Source {
        Any,          // whatever it is (the batch: a stream of rows, answered as they come)
        FileOrPipe,   // a file, or a pipe or terminal read up to kMaxPipedBytes; a device
                      // (/dev/zero, /dev/urandom), which never ends, is refused at once
    };
    // "-" is standard input. Opening errors are kept in Error().
    explicit FileInput(const std::string& path, Source source = Source::Any);
    ~FileInput() override;
    FileInput(const FileInput&) = delete;
    FileInput& operator=(const FileInput&) = delete;

    // The system's description of the first failure, or why the input is
    // refused; empty when there is none.
    [[nodiscard]] const std::string& Error() const noexcept { return error_; }

protected:
    int_type underflow() override;

private:
    int fd_ = -1;
    bool owned_ = false;
    std::uint64_t limit_ = UINT64_MAX;  // bytes read at most
    std::uint64_t read_ = 0;
    std::string error_;
    std::array<char, 65536> buffer_{};
};

}  // namespace azimora::calc
