// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>

#include "errors.h"

// The operating system's error numbers as the engine's errors, for the
// reading and the writing of the list files.
namespace azimora {

// The input/output code of an operating system error number: one of the
// fixed codes where the meaning is the same, otherwise kOtherInOutCodeBase
// plus the number.
[[nodiscard]] int InOutCodeOfErrno(int error) noexcept;

// The InOutError of an operating system error number; one without a fixed
// code carries the system's description of it.
[[nodiscard]] InOutError InOutErrorOfErrno(int error);

[[noreturn]] void ThrowInOut(int error);

// FileOpenError "Cannot open file "<full path>". <cause>", the cause in
// words or as the system describes an error number.
[[noreturn]] void ThrowCannotOpen(const std::filesystem::path& file, const std::string& cause);
[[noreturn]] void ThrowCannotOpen(const std::filesystem::path& file, int error);

}  // namespace azimora
