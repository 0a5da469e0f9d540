// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <vector>

#include "geometry/earth_model.h"
#include "geometry/site.h"
#include "sky/civil_time.h"

// When the sun helps or hinders a dish: the moments it stands in the dish's
// azimuth (a vertical stick's shadow then points straight away from the
// satellite, a way to aim without a compass), and the sun outages, when it
// stands so close behind the satellite that its noise drowns the signal.
namespace azimora {

// The instants of a UTC day, in order, at which the sun's azimuth equals
// azimuth while the sun is above the horizon; to within a second.
[[nodiscard]] std::vector<UnixSeconds> SunAlignments(const DishSite& site, double azimuth, const CivilDate& day);

// The same between two instants (a local day, say), in order.
[[nodiscard]] std::vector<UnixSeconds> SunAlignmentsBetween(const DishSite& site, double azimuth, UnixSeconds from,
                                                            UnixSeconds to);

// Half the dish's half-power beam width, 70 lambda / D degrees, plus the
// sun's radius of 0.25 degree: within this angle of the dish's direction the
// sun causes an outage. lambda = c / frequency.
[[nodiscard]] double OutageThreshold(double dishDiameterMetres, double frequencyGHz);

struct SunOutage {
    UnixSeconds start = 0;
    UnixSeconds peak = 0;  // the sun closest to the dish's direction
    UnixSeconds end = 0;
};

// The widest threshold the outage search takes: half a beam of 60 degrees.
inline constexpr double kWidestOutageThreshold = 30.25;

// The sun outages whose peak lies within [from, to), in order, each to
// within a second: while the sun is within threshold of the dish's
// direction and above the horizon (below it, the Earth is in the way).
// None when the satellite is below the horizon, or for a threshold that is
// not above zero and at most kWidestOutageThreshold.
[[nodiscard]] std::vector<SunOutage> SunOutages(const DishSite& site, double threshold, UnixSeconds from,
                                                UnixSeconds to);

// The first of SunOutages(site, threshold, from, to), found without
// searching past it: what a batch of sites is planned by.
[[nodiscard]] std::optional<SunOutage> NextSunOutage(const DishSite& site, double threshold, UnixSeconds from,
                                                     UnixSeconds to);

// The angle between the sun and the satellite seen from the site, degrees.
[[nodiscard]] double SunSeparation(const DishSite& site, UnixSeconds instant);

}  // namespace azimora
