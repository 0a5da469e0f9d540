// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "element_list.h"

#include <istream>
#include <ostream>

#include "batch.h"
#include "calc_report.h"
#include "formats/two_line_elements.h"

namespace azimora::calc {

ElementListResult ListElements(std::istream& in, std::ostream& out, std::ostream& errors, UnixSeconds instant) {
    ElementSetReader reader(instant);
    // Line by line, whatever the line ends: a file of the whole catalogue
    // is read as a stream.
    std::string line;
    for (char c; in.get(c);) {
        if (c == '\n' || c == '\r') {
            if (c == '\r' && in.peek() == '\n') in.get();
            reader.AddLine(line);
            line.clear();
        } else if (line.size() < 4096) {
            line += c;
        }
    }
    if (!line.empty()) reader.AddLine(line);
    reader.Finish();
    const ElementSetFile& file = reader.Result();
    out << "name,sat_lon,inclination,drift_per_day,epoch_age_days,warning\n";
    for (const GeostationaryObject& object : file.objects) {
        out << CsvTextCell(object.elements.name) << ',' << NumberText(object.longitudeWest) << ','
            << NumberText(object.elements.inclination) << ',' << NumberText(object.driftPerDay) << ','
            << NumberText(object.epochAgeDays) << ',' << CsvTextCell(object.warning) << '\n';
    }
    for (const std::string& skipped : file.skipped) errors << "azimora-calc: --tle: " << skipped << '\n';
    if (file.skippedCount > file.skipped.size())
        errors << "azimora-calc: --tle: and " << file.skippedCount - file.skipped.size() << " more lines skipped\n";
    return {file.objects.size(), file.skippedCount};
}

}  // namespace azimora::calc
