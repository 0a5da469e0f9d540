// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "controller/display_site.h"

#include <cmath>

#include "geometry/pointing.h"
#include "text/number_text.h"

namespace azimora {

std::optional<SiteLocation> LocationOfDisplay(const DisplayValues& values) {
    for (const std::string* coordinate : {&values.NLat, &values.WLong})
        if (*coordinate == kNotEnteredText || coordinate->empty()) return std::nullopt;
    const auto latitude = ParseNumber(values.NLat), longitude = ParseNumber(values.WLong);
    if (!latitude || !longitude || !std::isfinite(static_cast<double>(*latitude)) ||
        !std::isfinite(static_cast<double>(*longitude)))
        return std::nullopt;
    return SiteLocation{static_cast<double>(*latitude), static_cast<double>(*longitude)};
}

CheckedSite CheckSite(const DisplayValues& values) {
    CheckedSite checked;
    checked.location = LocationOfDisplay(values);
    for (const std::string* coordinate : {&values.NLat, &values.WLong})
        if (*coordinate == kNotEnteredText || coordinate->empty()) return checked;  // missing stays Location
    // The main window calculates for "0.00" as for any longitude; the figures
    // of a satellite nobody chose would only mislead.
    if (values.SatLong == kNotEnteredText || values.SatLong.empty()) {
        checked.missing = MissingInput::Satellite;
        return checked;
    }
    checked.site = SiteOfDisplay(values);
    checked.missing = checked.site ? MissingInput::Nothing : MissingInput::Calculation;
    return checked;
}

std::optional<DisplaySite> SiteOfDisplay(const DisplayValues& values) {
    for (const std::string* coordinate : {&values.NLat, &values.WLong, &values.SatLong})
        if (*coordinate == kNotEnteredText || coordinate->empty()) return std::nullopt;
    const auto latitude = ParseNumber(values.NLat);
    const auto longitude = ParseNumber(values.WLong);
    const auto satellite = ParseNumber(values.SatLong);
    if (!latitude || !longitude || !satellite) return std::nullopt;
    const DisplaySite site{{{static_cast<double>(*latitude), static_cast<double>(*longitude)}, static_cast<double>(*satellite)},
                           values.SatName,
                           values.LocName};
    if (!std::isfinite(site.satelliteLongitudeWest) || !std::isfinite(site.latitude) || !std::isfinite(site.longitudeWest))
        return std::nullopt;
    try {
        PointingInputs inputs;
        inputs.Latitude = *latitude;
        inputs.Longitude = *longitude;
        inputs.SatLongitude = *satellite;
        (void)CalculatePointing(inputs);
    } catch (const std::exception&) {
        return std::nullopt;  // the window reports that failure itself
    }
    return site;
}

}  // namespace azimora
