// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "lists/system_errors.h"

#include <cerrno>
#include <cstring>

namespace azimora {

int InOutCodeOfErrno(int error) noexcept {
    switch (error) {
        case ENOENT: return 2;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
        case EINVAL: return 3;
        case EMFILE:
        case ENFILE: return 4;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY: return 5;
        case ENOSPC:
        case EDQUOT: return 101;
        default: return kOtherInOutCodeBase + error;
    }
}

InOutError InOutErrorOfErrno(int error) {
    const int code = InOutCodeOfErrno(error);
    return code >= kOtherInOutCodeBase ? InOutError(code, std::strerror(error)) : InOutError(code);
}

void ThrowInOut(int error) { throw InOutErrorOfErrno(error); }

void ThrowCannotOpen(const std::filesystem::path& file, const std::string& cause) {
    throw FileOpenError("Cannot open file \"" + std::filesystem::absolute(file).string() + "\". " + cause);
}

void ThrowCannotOpen(const std::filesystem::path& file, int error) { ThrowCannotOpen(file, std::strerror(error)); }

}  // namespace azimora
