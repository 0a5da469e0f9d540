// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <string>

#include "formats/two_line_elements.h"
#include "sky/civil_time.h"

// azimora-calc --tle FILE: the near-geostationary objects of an element
// file, placed at an instant by the SGP4 model, as CSV:
//   name,catalogue_number,sat_lon,inclination,drift_per_day,epoch_age_days,warning
// (sat_lon west positive, as everywhere). What cannot be used goes to
// errors, a line each with its line number.
namespace azimora::calc {

struct ElementListResult {
    std::size_t objects = 0;
    std::size_t skipped = 0;
};

// The near-geostationary objects of an element file (two-line sets or
// orbit mean-elements messages, told by the content), placed at the instant.
[[nodiscard]] ElementSetFile ReadElementFile(std::istream& in, UnixSeconds instant);
// What the file skipped, a line each on errors, the first ones listed.
void ReportSkipped(const ElementSetFile& file, std::ostream& errors);

ElementListResult ListElements(std::istream& in, std::ostream& out, std::ostream& errors, UnixSeconds instant);

}  // namespace azimora::calc
