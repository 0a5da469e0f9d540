// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "motion/topocentric_track.h"

#include <cmath>
#include <string>

#include "errors.h"

namespace azimora {
namespace {

constexpr double kJulianDayOfUnixEpoch = 2440587.5;

// The TEME vector turned into the Earth-fixed frame at the instant.
Vector3 EarthFixed(const std::array<double, 3>& teme, UnixSeconds instant) {
    const double theta = GreenwichMeanSiderealTime1982(JulianDay(instant));
    const double c = std::cos(theta), s = std::sin(theta);
    return {c * teme[0] + s * teme[1], -s * teme[0] + c * teme[1], teme[2]};
}

}  // namespace

Vector3 Wgs84SitePosition(double latitude, double longitudeWest, double altitudeKm) {
    const double e2 = kWgs84Flattening * (2 - kWgs84Flattening);
    const double phi = Radians(latitude), lambda = Radians(-longitudeWest);
    const double sinPhi = std::sin(phi), cosPhi = std::cos(phi);
    const double n = kWgs84EquatorialRadiusKm / std::sqrt(1 - e2 * sinPhi * sinPhi);
    return {(n + altitudeKm) * cosPhi * std::cos(lambda), (n + altitudeKm) * cosPhi * std::sin(lambda),
            (n * (1 - e2) + altitudeKm) * sinPhi};
}

SkyDirection SkyDirectionOf(const LocalFrame& frame, Vector3 direction) {
    const double east = Dot(direction, frame.east), north = Dot(direction, frame.north);
    return {Wrap360(Degrees(std::atan2(east, north))), Degrees(std::atan2(Dot(direction, frame.up), std::hypot(east, north)))};
}

TopocentricTrack::TopocentricTrack(const MeanElements& elements, double latitude, double longitudeWest,
                                   double altitudeKm, UnixSeconds near)
    : orbit_(elements),
      epoch_((elements.epochJulianDay - kJulianDayOfUnixEpoch) * kSecondsPerDay),
      site_(Wgs84SitePosition(latitude, longitudeWest, altitudeKm)),
      frame_(LocalFrameAt(latitude, longitudeWest)) {
    if (orbit_.EpochError() != Sgp4Error::None)
        throw Error(std::string("the orbit model stops: ") + Sgp4ErrorText(orbit_.EpochError()));
    Sgp4State state;
    const Sgp4Error error = orbit_.Propagate((near - epoch_) / 60, state);
    if (error != Sgp4Error::None) throw Error(std::string("the orbit model stops: ") + Sgp4ErrorText(error));
}

Sgp4State TopocentricTrack::StateAt(UnixSeconds instant) const {
    Sgp4Orbit orbit = orbit_;
    Sgp4State state;
    const Sgp4Error error = orbit.Propagate((instant - epoch_) / 60, state);
    if (error != Sgp4Error::None) throw Error(std::string("the orbit model stops: ") + Sgp4ErrorText(error));
    return state;
}

Vector3 TopocentricTrack::SatelliteAt(UnixSeconds instant) const {
    return EarthFixed(StateAt(instant).position, instant);
}

Vector3 TopocentricTrack::DirectionAt(UnixSeconds instant) const { return Normalized(SatelliteAt(instant) - site_); }

TrackPoint TopocentricTrack::At(UnixSeconds instant) const {
    const Vector3 satellite = SatelliteAt(instant);
    TrackPoint point;
    point.instant = instant;
    point.direction = Normalized(satellite - site_);
    const SkyDirection sky = SkyDirectionOf(frame_, point.direction);
    point.azimuth = sky.azimuth;
    point.elevation = sky.elevation;
    point.latitude = Degrees(std::atan2(satellite.z, std::hypot(satellite.x, satellite.y)));
    point.longitudeWest = Wrap180(-Degrees(std::atan2(satellite.y, satellite.x)));
    return point;
}

double TopocentricTrack::InclinationAt(UnixSeconds instant) const {
    const Sgp4State state = StateAt(instant);
    const Vector3 r{state.position[0], state.position[1], state.position[2]};
    const Vector3 v{state.velocity[0], state.velocity[1], state.velocity[2]};
    const Vector3 h = Cross(r, v);
    return Degrees(std::atan2(std::hypot(h.x, h.y), h.z));
}

}  // namespace azimora
