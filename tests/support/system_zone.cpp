// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "system_zone.h"

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace azimora::testing {

long SystemZoneOffsetSeconds(const char* zone, UnixSeconds instant) {
    const char* own = std::getenv("TZ");
    const std::optional<std::string> kept = own != nullptr ? std::optional<std::string>(own) : std::nullopt;
    ::setenv("TZ", (std::string(":") + zone).c_str(), 1);
    ::tzset();
    const std::time_t seconds = static_cast<std::time_t>(instant);
    std::tm fields{};
    ::localtime_r(&seconds, &fields);
    if (kept) ::setenv("TZ", kept->c_str(), 1);
    else ::unsetenv("TZ");
    ::tzset();
    return fields.tm_gmtoff;
}

}  // namespace azimora::testing
