#pragma once

#include <stdexcept>
#include <string>

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

// A failed save; the message is chosen by the input/output code ("Disk full", "I/O error 17", ...).
class InOutError final : public Error {
public:
    explicit InOutError(int code);
    [[nodiscard]] int Code() const noexcept { return code_; }

private:
    int code_;
};

// The message of an input/output code: 2 "File not found", 101 "Disk full", others "I/O error %d".
[[nodiscard]] std::string InOutMessage(int code);

}  // namespace azimora
