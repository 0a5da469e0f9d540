// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Every error the engine raises carries the exact text the user sees in the
// error box; what() is that text.
namespace azimora {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A coordinate text that is not a number: "'%s' is not a valid floating point value".
class ConvertError final : public Error {
public:
    using Error::Error;
};

// A floating-point fault of the calculation ("Invalid floating point operation", ...).
class MathError final : public Error {
public:
    using Error::Error;
};

// A user list file that exists but cannot be read: "Cannot open file "<path>". <cause>".
class FileOpenError final : public Error {
public:
    using Error::Error;
};

// A malformed user list line: "List index out of bounds (%d)".
class ListIndexError final : public Error {
public:
    explicit ListIndexError(int index);
    [[nodiscard]] int Index() const noexcept { return index_; }

private:
    int index_;
};

// A user list line longer than kMaxListLineBytes, skipped on loading.
class ListLineTooLongError final : public Error {
public:
    ListLineTooLongError(std::string_view fileName, std::size_t lineNumber);
};

// A user list of more records than a list loads: the first ones are shown.
class ListTooManyRecordsError final : public Error {
public:
    ListTooManyRecordsError(std::string_view fileName, std::size_t most);
};

// A user list file over the size a list may have, refused whole.
class ListTooLargeError final : public Error {
public:
    explicit ListTooLargeError(std::string_view fileName);
};

// A failed save; the message is chosen by the input/output code ("Disk full",
// "File access denied", ...), followed by the cause when one is given.
class InOutError final : public Error {
public:
    explicit InOutError(int code, std::string_view cause = {});
    [[nodiscard]] int Code() const noexcept { return code_; }

private:
    int code_;
};

// Codes from here on carry an operating system error number that has no
// fixed code of its own, so that they never read as one of those.
inline constexpr int kOtherInOutCodeBase = 1000;

// The message of an input/output code: 2 "File not found", 101 "Disk full", others "I/O error %d".
[[nodiscard]] std::string InOutMessage(int code);

// Several errors of one handler, each shown in an error box of its own; what()
// is the first message.
class ErrorSeries final : public Error {
public:
    explicit ErrorSeries(std::vector<std::string> messages);
    [[nodiscard]] const std::vector<std::string>& Messages() const noexcept { return messages_; }

private:
    std::vector<std::string> messages_;
};

}  // namespace azimora
