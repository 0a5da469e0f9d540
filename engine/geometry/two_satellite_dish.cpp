// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "geometry/two_satellite_dish.h"

#include <cmath>
#include <string>

#include "errors.h"
#include "geometry/lnb_skew.h"
#include "geometry/pointing.h"
#include "geometry/vector3.h"
#include "geometry/visibility.h"
#include "text/number_text.h"

namespace azimora {

double BeamDeviationFactor(double diameter, double focalLength) {
    constexpr double k = 0.36;  // Lo (1960)
    const double ratio = diameter / (4 * focalLength);
    const double squared = ratio * ratio;
    return (1 + k * squared) / (1 + squared);
}

TwoSatelliteDish ComputeTwoSatelliteDish(double latitude, double longitudeWest, double firstSatelliteLongitudeWest,
                                         double secondSatelliteLongitudeWest, double dishDiameterMetres,
                                         double focalLengthMm, const EarthGeometry& earth) {
    if (!(std::isfinite(focalLengthMm) && focalLengthMm > 0)) throw Error("the focal length must be a positive number");
    if (!(std::isfinite(dishDiameterMetres) && dishDiameterMetres > 0))
        throw Error("the dish diameter must be a positive number");
    TwoSatelliteDish dish;
    dish.orbitalSpacing = std::abs(Wrap180(secondSatelliteLongitudeWest - firstSatelliteLongitudeWest));

    const Vector3 site = SitePosition(earth, latitude, longitudeWest);
    const Vector3 first = Normalized(GeostationaryPosition(earth, firstSatelliteLongitudeWest) - site);
    const Vector3 second = Normalized(GeostationaryPosition(earth, secondSatelliteLongitudeWest) - site);
    // atan2 of the cross and dot products: exact for small angles too.
    dish.separation = Degrees(std::atan2(Length(Cross(first, second)), Dot(first, second)));

    // The plane across the first line of sight, as seen from behind the
    // dish: "up" is the site's up with its share along the line removed
    // (north where the satellite stands overhead), "right" follows.
    const LocalFrame local = LocalFrameAt(latitude, longitudeWest);
    Vector3 up = local.up - Dot(local.up, first) * first;
    if (Length(up) < 1e-9) up = local.north - Dot(local.north, first) * first;
    up = Normalized(up);
    const Vector3 right = Cross(first, up);
    const double towards = std::atan2(Dot(second, up), Dot(second, right));

    const double focalLengthMetres = focalLengthMm / 1000;
    dish.beamDeviationFactor = BeamDeviationFactor(dishDiameterMetres, focalLengthMetres);
    const double feedAngle = dish.separation / dish.beamDeviationFactor;
    dish.lnbOffsetMm = feedAngle < 90 ? focalLengthMm * std::tan(Radians(feedAngle)) : INFINITY;
    dish.lnbRightMm = -dish.lnbOffsetMm * std::cos(towards);
    dish.lnbUpMm = -dish.lnbOffsetMm * std::sin(towards);
    const double rimMm = dishDiameterMetres * 500;
    if (!(dish.lnbOffsetMm <= rimMm)) {
        // FormatFixed: '.' whatever the C library's locale.
        const std::string apart = FormatFixed(dish.separation, 1) + " degrees apart";
        dish.beyondReach = std::isfinite(dish.lnbOffsetMm)
                               ? "the second LNB would sit " + FormatFixed(dish.lnbOffsetMm, 0) +
                                     " mm from the first, beyond the dish's rim (" + FormatFixed(rimMm, 0) +
                                     " mm from its centre): no second LNB serves satellites " + apart + " on this dish"
                               : "the satellites are " + apart + ": no second LNB serves satellites that far apart";
    }

    PointingInputs pointing;
    pointing.Latitude = latitude;
    pointing.Longitude = longitudeWest;
    pointing.SatLongitude = secondSatelliteLongitudeWest;
    dish.secondVisible = IsVisible(static_cast<double>(CalculatePointing(pointing).Elevation));
    if (dish.secondVisible) {
        const double skew = LnbSkew(latitude, longitudeWest, secondSatelliteLongitudeWest, earth);
        if (std::isfinite(skew)) dish.secondSkew = skew;
    }
    return dish;
}

bool MonoblockFits(double nominalSpacing, const TwoSatelliteDish& dish) {
    // In hundredths of a degree: 4.8 apart is 4.8 whichever longitudes it comes from.
    const auto hundredths = [](double degrees) { return std::lround(degrees * 100); };
    return dish.secondVisible && dish.beyondReach.empty() &&
           std::labs(hundredths(dish.orbitalSpacing) - hundredths(nominalSpacing)) <= hundredths(kMonoblockTolerance);
}

std::optional<double> FittingMonoblock(const TwoSatelliteDish& dish) {
    for (const double spacing : kMonoblockSpacings)
        if (MonoblockFits(spacing, dish)) return spacing;
    return std::nullopt;
}

}  // namespace azimora
