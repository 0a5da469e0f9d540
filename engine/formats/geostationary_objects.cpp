// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "formats/geostationary_objects.h"

#include <cmath>
#include <string>

#include "geometry/vector3.h"
#include "text/number_text.h"

namespace azimora {
namespace {

// The longitude under a TEME position at an instant: the frame turns with
// the mean sidereal time of Greenwich (IAU 1982), as the model defines it.
double LongitudeWestOf(const Sgp4State& state, UnixSeconds instant) {
    const double east = Degrees(std::atan2(state.position[1], state.position[0])) -
                        Degrees(GreenwichMeanSiderealTime1982(JulianDay(instant)));
    return Wrap180(-east);
}

std::optional<double> Place(const OrbitalElements& elements, UnixSeconds instant, Sgp4Error& error) {
    Sgp4Orbit orbit(MeanElementsOf(elements));
    error = orbit.EpochError();
    if (error != Sgp4Error::None) return std::nullopt;
    Sgp4State state;
    error = orbit.Propagate((instant - elements.epoch) / 60.0, state);
    if (error != Sgp4Error::None) return std::nullopt;
    return LongitudeWestOf(state, instant);
}

}  // namespace

MeanElements MeanElementsOf(const OrbitalElements& elements) {
    MeanElements mean;
    mean.epochJulianDay = JulianDay(elements.epoch);
    mean.meanMotion = elements.meanMotion;
    mean.eccentricity = elements.eccentricity;
    mean.inclination = elements.inclination;
    mean.rightAscension = elements.rightAscension;
    mean.argumentOfPerigee = elements.argumentOfPerigee;
    mean.meanAnomaly = elements.meanAnomaly;
    mean.bstar = elements.bstar;
    return mean;
}

double EccentricSwing(double eccentricity) { return Degrees(2 * eccentricity); }

std::optional<double> SubSatelliteLongitude(const OrbitalElements& elements, UnixSeconds instant) {
    Sgp4Error error = Sgp4Error::None;
    return Place(elements, instant, error);
}

std::optional<GeostationaryObject> PlaceGeostationary(const OrbitalElements& elements, UnixSeconds instant,
                                                      std::string& problem) {
    // FormatFixed: '.' whatever the C library's locale (the desktop's toolkit sets the user's).
    if (elements.meanMotion < kMinimumGeostationaryMotion || elements.meanMotion > kMaximumGeostationaryMotion) {
        problem = "not geostationary: " + FormatFixed(elements.meanMotion, 2) + " revolutions a day";
        return std::nullopt;
    }
    if (!(elements.inclination <= kMaximumGeostationaryInclination)) {
        problem = "not geostationary: inclined " + FormatFixed(elements.inclination, 1) + " degrees (" +
                  (elements.inclination > 90 ? "a retrograde orbit" : "far from the equator") + ")";
        return std::nullopt;
    }
    if (!(elements.eccentricity < kMaximumGeostationaryEccentricity)) {
        problem = "not geostationary: eccentricity " + FormatFixed(elements.eccentricity, 2) + " (far from a circle)";
        return std::nullopt;
    }
    Sgp4Error error = Sgp4Error::None;
    const auto longitude = Place(elements, instant, error);
    // One revolution on: the model's own motion over the day, J2 and all.
    const double revolution = kSecondsPerDay / elements.meanMotion;
    const auto later = longitude ? Place(elements, instant + revolution, error) : std::nullopt;
    if (!longitude || !later) {
        problem = std::string("the orbit model stops: ") + Sgp4ErrorText(error);
        return std::nullopt;
    }
    GeostationaryObject object;
    object.longitudeWest = *longitude;
    object.driftPerDay = -Wrap180(*later - *longitude) * kSecondsPerDay / revolution;
    object.epochAgeDays = (instant - elements.epoch) / kSecondsPerDay;
    const auto addWarning = [&](const std::string& warning) {
        object.warning += (object.warning.empty() ? "" : "; ") + warning;
    };
    if (std::fabs(object.driftPerDay) > kDriftWarning)
        addWarning("drifting " + FormatFixed(std::fabs(object.driftPerDay), 2) + " degrees a day " +
                   (object.driftPerDay > 0 ? "east" : "west"));
    if (elements.inclination > kInclinationWarning)
        addWarning("inclined " + FormatFixed(elements.inclination, 1) + " degrees: it swings north and south");
    if (const double swing = EccentricSwing(elements.eccentricity); swing > kEccentricSwingWarning)
        addWarning("eccentric: it swings east and west by " + FormatFixed(swing, 1) + " degrees");
    if (object.epochAgeDays > kElementAgeWarningDays)
        addWarning("elements " + FormatFixed(object.epochAgeDays, 0) + " days old: its position is uncertain");
    if (object.epochAgeDays < -kElementAgeWarningDays)
        addWarning("elements dated " + FormatFixed(-object.epochAgeDays, 0) + " days after this date: its position is uncertain");
    object.elements = elements;
    return object;
}

}  // namespace azimora
