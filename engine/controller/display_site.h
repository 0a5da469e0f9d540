// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

#include "controller/display_values.h"
#include "geometry/site.h"

// The site and satellite that the main window's texts describe, for the
// windows that follow it (installation details, sky chart, sheet). They read
// the coordinates as the calculation does, so that they never show figures
// for texts the window no longer holds.
namespace azimora {

// The site with the names the texts give it and its satellite.
struct DisplaySite : DishSite {
    std::string satelliteName;
    std::string locationName;

    bool operator==(const DisplaySite&) const = default;
};

// nullopt when the texts describe no calculation: a location coordinate not
// entered ("0.00" or empty) or any coordinate that is not a number, a
// satellite not chosen (its longitude still "0.00", not entered), or a
// calculation that fails.
[[nodiscard]] std::optional<DisplaySite> SiteOfDisplay(const DisplayValues& values);

// The location alone, as the calculation reads it: latitude and longitude
// (west positive); nullopt while either is not entered or no number.
[[nodiscard]] std::optional<SiteLocation> LocationOfDisplay(const DisplayValues& values);

// Why there is no site: what the windows ask the user for.
enum class MissingInput { Nothing, Location, Satellite, Calculation };

// The location, the site and what is missing, read once from the texts: what the controller publishes to
// the windows that follow the main window (PointingController::Checked).
struct CheckedSite {
    MissingInput missing = MissingInput::Location;
    std::optional<SiteLocation> location;  // the location alone, with or without a satellite
    std::optional<DisplaySite> site;       // set exactly when nothing is missing

    bool operator==(const CheckedSite&) const = default;
};
[[nodiscard]] CheckedSite CheckSite(const DisplayValues& values);

}  // namespace azimora
