// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "element_list.h"

#include <istream>
#include <ostream>

#include "batch.h"
#include "text/json_reader.h"
#include "formats/element_file_reader.h"
#include "formats/orbit_mean_elements.h"
#include "formats/two_line_elements.h"

namespace azimora::calc {

ElementSetFile ReadElementFile(std::istream& in, UnixSeconds instant) {
    // Orbit mean-elements messages are read whole (publishers' files of
    // them are small); two-line sets line by line, whatever the line ends,
    // so that a file of the whole catalogue is read as a stream.
    std::string start(4096, '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(in.gcount()));
    ElementSetFile omm;
    ElementSetReader reader(instant);
    const bool messages = SniffElementFormat(start) != ElementFormat::TwoLine;
    if (messages) {
        omm = ReadOrbitElements(*ReadWholeMessages(in, std::move(start)), instant);
    } else {
        std::string line;
        bool afterCarriageReturn = false;
        const auto feed = [&](char c) {
            const bool secondHalf = c == '\n' && afterCarriageReturn;  // CR LF: one break
            afterCarriageReturn = c == '\r';
            if (secondHalf) return;
            if (c == '\n' || c == '\r') {
                reader.AddLine(line);
                line.clear();
            } else if (line.size() < 4096) {
                line += c;
            }
        };
        for (const char c : start) feed(c);  // the bytes read to tell the format
        for (char c; in.get(c);) feed(c);
        if (!line.empty()) reader.AddLine(line);
        reader.Finish();
    }
    return messages ? omm : std::move(reader.Result());
}

void ReportSkipped(const ElementSetFile& file, std::ostream& errors) {
    for (const std::string& skipped : file.skipped) errors << "azimora-calc: --tle: " << skipped << '\n';
    if (file.skippedCount > file.skipped.size())
        errors << "azimora-calc: --tle: and " << file.skippedCount - file.skipped.size() << " more skipped\n";
}

ElementListResult ListElements(std::istream& in, std::ostream& out, std::ostream& errors, UnixSeconds instant) {
    const ElementSetFile file = ReadElementFile(in, instant);
    out << "name,catalogue_number,sat_lon,inclination,drift_per_day,epoch_age_days,warning\n";
    for (const GeostationaryObject& object : file.objects) {
        out << CsvTextCell(object.elements.name) << ',' << CsvTextCell(object.elements.catalogueNumber) << ','
            << JsonNumber(object.longitudeWest) << ','
            << JsonNumber(object.elements.inclination) << ',' << JsonNumber(object.driftPerDay) << ','
            << JsonNumber(object.epochAgeDays) << ',' << CsvTextCell(object.warning) << '\n';
    }
    ReportSkipped(file, errors);
    return {file.objects.size(), file.skippedCount};
}

}  // namespace azimora::calc
