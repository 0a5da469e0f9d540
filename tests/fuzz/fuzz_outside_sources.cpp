// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// What comes from outside the program's own files: typed coordinates, a
// two-line element file, a DVB scan table's name and text, a GPS
// receiver's NMEA log. The first byte picks the reader. Never a crash; what is accepted lies in range.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "formats/dvb_scan_tables.h"
#include "formats/nmea.h"
#include "formats/two_line_elements.h"
#include "fuzz_support.h"
#include "text/coordinate_text.h"

using namespace azimora;
using namespace azimora::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 4) {
        case 0:
            if (const auto place = ParseCoordinates(text)) {
                Expect(std::fabs(place->latitude) <= 90, "latitude within 90 degrees");
                Expect(std::fabs(place->longitudeWest) <= 180, "longitude within 180 degrees");
            }
            if (const auto angle = ParseAngle(text, "EW")) Expect(std::isfinite(*angle), "a finite angle");
            break;
        case 1: {
            const ElementSetFile file = ReadElementSets(text, 1.8e9);
            for (const GeostationaryObject& object : file.objects) {
                Expect(std::isfinite(object.longitudeWest) && std::fabs(object.longitudeWest) <= 180,
                       "a longitude over the equator");
                Expect(object.elements.meanMotion >= 0.9 && object.elements.meanMotion <= 1.1, "near-geostationary only");
            }
            break;
        }
        case 3: {
            std::istringstream in{std::string(text)};
            const NmeaLog log = ReadNmeaLog(in);
            Expect(log.problems.size() <= kMaxNmeaProblems, "the problems listed are capped");
            Expect(log.broken + log.fixes <= log.lines, "no more fixes and broken lines than lines");
            if (log.lastFix) {
                Expect(std::fabs(log.lastFix->latitude) <= 90, "a fix's latitude within 90 degrees");
                Expect(std::fabs(log.lastFix->longitudeWest) <= 180, "a fix's longitude within 180 degrees");
            }
            break;
        }
        default: {
            if (const auto satellite = SatelliteOfScanTableName(text)) {
                Expect(std::fabs(satellite->longitudeWest) <= 180, "a position within 180 degrees");
                Expect(!satellite->name.empty(), "a name");
            }
            (void)PolarisationOfScanTable(text);
            break;
        }
    }
    return 0;
}
