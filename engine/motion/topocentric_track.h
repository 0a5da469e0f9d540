// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/earth_model.h"
#include "geometry/vector3.h"
#include "orbits/sgp4.h"
#include "sky/civil_time.h"

// Where a satellite placed by its mean elements (SGP4 with its deep-space
// part) stands in the sky of one site, at any instant of a stretch of time.
// The model's TEME frame turns into the Earth's by the mean sidereal time
// of Greenwich (IAU 1982), as the model defines it; polar motion (under a
// metre at the site) and refraction are left out: elevations are
// geometric, the line of sight above the horizon of the WGS84 ellipsoid.
namespace azimora {

// The WGS84 ellipsoid in kilometres (NIMA TR8350.2, 3rd edition, table 3.1),
// for a site as a GPS receiver gives it.
inline constexpr double kWgs84EquatorialRadiusKm = 6378.137;
inline constexpr double kWgs84Flattening = 1 / 298.257223563;

struct TrackPoint {
    UnixSeconds instant = 0;
    Vector3 direction;            // unit vector from the site to the satellite, Earth-fixed
    double azimuth = 0;           // degrees clockwise from true north, [0, 360)
    double elevation = 0;         // degrees above the horizon, geometric
    double latitude = 0;          // of the point under the satellite, geocentric, degrees
    double longitudeWest = 0;     // of the point under the satellite, west positive, (-180, 180]
};

// The site's position on the WGS84 ellipsoid, km, Earth-fixed: x towards
// longitude 0, z north.
[[nodiscard]] Vector3 Wgs84SitePosition(double latitude, double longitudeWest, double altitudeKm);

// The azimuth and elevation of a unit direction at a site, degrees.
struct SkyDirection {
    double azimuth = 0;
    double elevation = 0;
};
[[nodiscard]] SkyDirection SkyDirectionOf(const LocalFrame& frame, Vector3 direction);

class TopocentricTrack {
public:
    // The satellite as seen from the site over a stretch of time around
    // `near`. Throws Error "the orbit model stops: ..." where the model
    // cannot place it at `near`.
    TopocentricTrack(const MeanElements& elements, double latitude, double longitudeWest, double altitudeKm,
                     UnixSeconds near);

    // Throws Error where the model stops.
    [[nodiscard]] TrackPoint At(UnixSeconds instant) const;
    // The unit vector from the site alone, for searches that need no angles.
    [[nodiscard]] Vector3 DirectionAt(UnixSeconds instant) const;

    // The inclination of the orbit's plane to the equator at the instant
    // (from the position and velocity: the osculating orbit), degrees.
    [[nodiscard]] double InclinationAt(UnixSeconds instant) const;

    [[nodiscard]] const LocalFrame& Frame() const noexcept { return frame_; }
    [[nodiscard]] Vector3 Site() const noexcept { return site_; }

private:
    [[nodiscard]] Sgp4State StateAt(UnixSeconds instant) const;
    [[nodiscard]] Vector3 SatelliteAt(UnixSeconds instant) const;  // Earth-fixed, km

    // The model with its resonance integration brought near the stretch of
    // time asked about: each instant starts from a copy of it, so that no
    // instant integrates from the epoch again.
    Sgp4Orbit orbit_;
    UnixSeconds epoch_ = 0;
    Vector3 site_;
    LocalFrame frame_;
};

}  // namespace azimora
