// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// libgweather's list of towns, as any file could be: never a crash, an
// error the user can read, or towns that lie on the globe.
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "errors.h"
#include "fuzz_support.h"
#include "gweather_locations.h"

using namespace azimora;
using namespace azimora::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = ScratchFolder() / "Locations.xml";
    WriteBytes(file, std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        for (const Place& place : sources::ReadGWeatherCities(QString::fromStdString(file.string()))) {
            Expect(std::isfinite(place.latitude) && std::fabs(place.latitude) <= 90, "a latitude on the globe");
            Expect(std::isfinite(place.longitudeWest) && std::fabs(place.longitudeWest) <= 180, "a longitude on the globe");
            Expect(!place.name.empty(), "a name");
        }
    } catch (const Error& error) {
        Expect(*error.what() != '\0', "a message");
    }
    return 0;
}
