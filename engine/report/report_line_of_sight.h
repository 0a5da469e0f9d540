// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

#include "formats/line_of_sight.h"
#include "report/site_report.h"

// The line of sight of a site report for a map program (formats/line_of_sight.h),
// with the report's words beside the site: azimora-calc --kml and --geojson,
// and Tools > Export Line of Sight.
namespace azimora {

// A satellite out of sight gives a line the writers refuse.
[[nodiscard]] LineOfSight LineOfSightOf(const SiteReport& report, const std::string& siteName, double lengthMetres,
                                        std::optional<double> dishAltitudeMetres);

}  // namespace azimora
