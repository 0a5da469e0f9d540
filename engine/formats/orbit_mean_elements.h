// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "formats/geostationary_objects.h"
#include "formats/two_line_elements.h"

// Orbit Mean-elements Messages (CCSDS 502.0-B-3, "Orbit Data Messages"), in
// the forms publishers give them beside the two-line sets: XML (the NDM/XML
// schema), KVN ("KEYWORD = value" lines), and the JSON and CSV of CelesTrak's
// GP data, whose fields are the message's keywords (OBJECT_NAME,
// NORAD_CAT_ID, EPOCH, MEAN_MOTION, ECCENTRICITY, INCLINATION,
// RA_OF_ASC_NODE, ARG_OF_PERICENTER, MEAN_ANOMALY, BSTAR, ...). Unlike the
// two-line format they hold catalogue numbers above 99,999.
namespace azimora {

enum class ElementFormat { TwoLine, OmmXml, OmmKvn, OmmJson, OmmCsv };

// Which format a file is in, from its first bytes.
[[nodiscard]] ElementFormat SniffElementFormat(std::string_view start);
[[nodiscard]] const char* ElementFormatName(ElementFormat format);  // "OMM (JSON)", "two-line element sets"

// One message: where it stands in the file ("line 7", "record 3 (line 40)")
// and its keywords with their values, as written.
struct OmmRecord {
    std::string place;
    std::vector<std::pair<std::string, std::string>> fields;
    [[nodiscard]] const std::string* Find(std::string_view keyword) const;
};

// The messages of a text in an OMM format, one at a time: each is made,
// handed over and let go before the next is read, so that a file costs
// little more than its own bytes. Throws Error where the text as a whole
// cannot be read (broken JSON or XML, a CSV without its header), after the
// messages before the fault.
void ForEachOmmRecord(std::string_view text, ElementFormat format, const std::function<void(const OmmRecord&)>& each);
// All of them (for tests and small texts).
[[nodiscard]] std::vector<OmmRecord> OmmRecordsOf(std::string_view text, ElementFormat format);

// The elements of one message, or the reason they cannot be used: a keyword
// missing, a value that is no finite number or out of its range, mean
// elements of another theory than SGP4, another centre or frame.
[[nodiscard]] std::optional<OrbitalElements> ElementsOfOmm(const OmmRecord& record, std::string& problem);

// The near-geostationary objects of a text in any of the formats, placed at
// the instant, with what was skipped and why, as ReadElementSets gives them.
[[nodiscard]] ElementSetFile ReadOrbitElements(std::string_view text, UnixSeconds instant);

}  // namespace azimora
