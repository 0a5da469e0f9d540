// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// The zone rules a test asserts: the tz database versions the tests carry
// (data/zoneinfo/), compiled into the build, named by their version.
namespace azimora::testing {

// What every calculator test runs on unless it chooses another.
inline constexpr const char* kPinnedZoneData = "2026f";

// Points the C library (and so azimora-calc, and any azimora-calc the test
// starts) at one version's rules. glibc keeps a zone it has read until TZ
// changes, so the zone is dropped too.
void UseZoneData(const std::string& version);

}  // namespace azimora::testing
