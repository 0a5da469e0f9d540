// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Every calculator test asserts the zone rules the tests carry, never the
// machine's: Debian updates tzdata within a release, and the law moves on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "zone_data.h"

namespace azimora::testing {

void UseZoneData(const std::string& version) {
    ::setenv("TZDIR", (std::string(AZIMORA_TEST_ZONEINFO) + "/" + version).c_str(), 1);
    // A passing zone that reads no file makes the next tzset() read anew;
    // the process's own TZ is put back for "--tz local".
    const char* own = std::getenv("TZ");
    const std::string kept = own != nullptr ? own : "";
    ::setenv("TZ", "UTC0", 1);
    ::tzset();
    if (own != nullptr) ::setenv("TZ", kept.c_str(), 1);
    else ::unsetenv("TZ");
}

namespace {

class PinnedZoneData final : public ::testing::Environment {
public:
    void SetUp() override { UseZoneData(kPinnedZoneData); }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new PinnedZoneData);

}  // namespace
}  // namespace azimora::testing
