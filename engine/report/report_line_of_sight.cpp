// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "report/report_line_of_sight.h"

namespace azimora {

LineOfSight LineOfSightOf(const SiteReport& report, const std::string& siteName, double lengthMetres,
                          std::optional<double> dishAltitudeMetres) {
    const InstallationFigures& f = report.figures;
    const ReportWords& words = report.words;
    LineOfSight line;
    line.siteName = siteName;
    line.satelliteName = words.satellite;
    line.latitude = report.inputs.latitude;
    line.longitudeWest = report.inputs.longitudeWest;
    line.azimuth = static_cast<double>(f.pointing.Azimuth);
    line.elevation = f.visible ? static_cast<double>(f.pointing.Elevation) : -1;
    line.lengthMetres = lengthMetres;
    line.dishAltitudeMetres = dishAltitudeMetres;
    line.figures = {{"Satellite", words.satellite},
                    {"Azimuth (true)", words.azimuth},
                    {"Elevation", words.elevation},
                    {"Compass bearing", words.compassBearing},
                    {"LNB skew", words.skew},
                    {"Dish face tilt", words.faceTilt}};
    // The warnings a compass bearing carries go with it.
    if (!words.compassWarning.empty()) line.figures.emplace_back("Horizontal field", words.horizontalField);
    if (!f.magnetic.valid) line.figures.emplace_back("Magnetic model", words.magneticModel);
    return line;
}

}  // namespace azimora
