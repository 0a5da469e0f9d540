// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// What comes from outside the program's own files: typed coordinates, a
// two-line element file, a DVB scan table's name and text, a GPS
// receiver's NMEA log, orbit mean-elements messages in each of their forms
// (and the JSON and XML readers under them). The first byte picks the reader. Never a crash; what is accepted lies in range.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "errors.h"
#include "formats/dvb_scan_tables.h"
#include "formats/nmea.h"
#include "formats/orbit_mean_elements.h"
#include "formats/two_line_elements.h"
#include "fuzz_support.h"
#include "text/coordinate_text.h"
#include "text/json_reader.h"
#include "text/xml_reader.h"

using namespace azimora;
using namespace azimora::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 7) {
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
        case 4:
        case 5: {
            // Any OMM form, by its first bytes; or the JSON and XML readers themselves.
            try {
                const ElementSetFile file = ReadOrbitElements(text, 1.8e9);
                for (const GeostationaryObject& object : file.objects)
                    Expect(std::isfinite(object.longitudeWest) && std::fabs(object.longitudeWest) <= 180,
                           "a placed object over the equator");
                Expect(file.skipped.size() <= kMaxListedSkips, "the skipped listed are capped");
            } catch (const Error&) {
            }
            try {
                (void)ParseJson(text);
            } catch (const Error&) {
            }
            try {
                XmlPullReader xml(text);
                for (std::size_t tokens = 0; xml.Next() != XmlPullReader::Token::End; ++tokens)
                    Expect(tokens <= text.size() * 2 + 2, "no more tokens than the text can hold");
            } catch (const Error&) {
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
