// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "errors.h"

namespace azimora {

ListIndexError::ListIndexError(int index)
    : Error("List index out of bounds (" + std::to_string(index) + ")"), index_(index) {}

ListLineTooLongError::ListLineTooLongError(std::string_view fileName, std::size_t lineNumber)
    : Error("Line " + std::to_string(lineNumber) + " of " + std::string(fileName) +
            " is longer than 64 KiB and was skipped") {}

ListTooManyRecordsError::ListTooManyRecordsError(std::string_view fileName, std::size_t most)
    : Error(std::string(fileName) + " holds more than " + std::to_string(most) +
            " records; only the first ones were loaded") {}

ListTooLargeError::ListTooLargeError(std::string_view fileName)
    : Error(std::string(fileName) + " is larger than 1 GiB and was not loaded") {}

InOutError::InOutError(int code, std::string_view cause)
    : Error(cause.empty() ? InOutMessage(code) : InOutMessage(code) + ": " + std::string(cause)), code_(code) {}

ErrorSeries::ErrorSeries(std::vector<std::string> messages)
    : Error(messages.empty() ? std::string() : messages.front()), messages_(std::move(messages)) {}

std::string InOutMessage(int code) {
    switch (code) {
        case 2: return "File not found";
        case 3: return "Invalid filename";
        case 4: return "Too many open files";
        case 5: return "File access denied";
        case 100: return "Read beyond end of file";
        case 101: return "Disk full";
        case 106: return "Invalid numeric input";
        default: return "I/O error " + std::to_string(code);
    }
}

}  // namespace azimora
