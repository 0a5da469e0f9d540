// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Reads "latitude longitude" lines (north and east positive) and prints,
// line for line, the zone the installed boundaries give there, or "-" at
// sea: the boundaries as the engine reads them, for
// tests/engine/sky/zone_boundaries_check.mjs to hold against the source data.
#include <cstdio>
#include <iostream>
#include <string>

#include "errors.h"
#include "sky/time_zone_boundaries.h"

int main(int argc, char** argv) {
    try {
        const azimora::TimeZoneBoundaries boundaries =
            azimora::TimeZoneBoundaries::Read(argc > 1 ? argv[1] : azimora::TimeZoneBoundariesFile());
        double latitude = 0;
        double longitude = 0;
        std::string out;
        while (std::cin >> latitude >> longitude) {
            const auto zone = boundaries.ZoneAt(latitude, longitude);
            out.append(zone ? *zone : "-");
            out.push_back('\n');
        }
        std::fwrite(out.data(), 1, out.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    } catch (const azimora::Error& error) {
        std::fprintf(stderr, "zone_at: %s\n", error.what());
        return 1;
    }
}
