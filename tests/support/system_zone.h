// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include "sky/civil_time.h"

// A zone's offset from UTC at an instant by the system's own zone rules,
// read through the C library: for tests whose expectation must follow the
// installed tzdata (Qt reads the same files, but through its own reader).
namespace azimora::testing {

[[nodiscard]] long SystemZoneOffsetSeconds(const char* zone, UnixSeconds instant);

}  // namespace azimora::testing
