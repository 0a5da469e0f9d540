// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

#include "geometry/earth_model.h"

// One dish for two satellites: a second LNB beside the first (a multifeed
// holder, or both in one "monoblock" housing) receives a satellite a few
// degrees away. The dish points at the first; the second LNB sits off the
// focus, opposite to the second satellite's direction, far enough that the
// beam it makes swings over to it.
namespace azimora {

// A common choice for offset dishes; the installer can enter the real one.
inline constexpr double kDefaultFocalRatio = 0.6;

// Lo's beam deviation factor: a feed moved off the focus by an angle theta
// (seen from the vertex) turns the beam by BDF * theta, not by theta.
//   Y. T. Lo, "On the beam deviation factor of a parabolic reflector",
//   IRE Transactions on Antennas and Propagation AP-8 (3), 347-349, 1960:
//   BDF = (1 + k (D/4F)^2) / (1 + (D/4F)^2), with k = 0.36.
// D and F in the same unit.
[[nodiscard]] double BeamDeviationFactor(double diameter, double focalLength);

// The monoblocks sold: two LNBs in one housing for satellites 4.3 degrees
// apart in orbit (19.2 E with 23.5 E) or 6 degrees (13 E with 19.2 E, 6.2 apart).
inline constexpr double kMonoblockSpacings[] = {4.3, 6.0};
// How far the pair's spacing in orbit may differ from the housing's nominal
// one. Its feeds are fixed, so the second beam misses by about that much:
// half a degree costs a 60-90 cm dish at 12 GHz under a decibel, by the
// usual 12 (error / half-power beam width)^2 dB with a beam of 70 lambda / D.
// The spacing is taken to a hundredth of a degree, finer than any
// catalogue gives it, so that equal spacings always get the same answer.
inline constexpr double kMonoblockTolerance = 0.5;

struct TwoSatelliteDish {
    double orbitalSpacing = 0;  // degrees between the two orbital longitudes
    double separation = 0;      // degrees between the two lines of sight from the site
    // Where the second LNB goes, relative to the first, in the plane across
    // the first line of sight, seen from behind the dish: millimetres right
    // and up; opposite to where the second satellite appears.
    double lnbRightMm = 0;
    double lnbUpMm = 0;
    double lnbOffsetMm = 0;  // F tan(separation / BDF)
    double beamDeviationFactor = 1;
    bool secondVisible = false;        // IsVisible (geometry/visibility.h)
    std::optional<double> secondSkew;  // its own LNB skew; none out of sight or straight under it
    // Why no second LNB serves the pair on this dish (the LNB would sit
    // beyond the dish's rim); empty when one does. The lnb figures then
    // mean nothing.
    std::string beyondReach;
};

// Longitudes west positive. Throws Error for a focal length or diameter that
// is not positive and finite. The second LNB must sit within the dish's
// outline, no farther from the first than the dish's radius: beyond that a
// feed at the focal plane looks past the rim, its beam lost to spill-over
// and coma, and the offset F tan(separation / BDF) runs off to infinity as
// separation / BDF nears 90 degrees. For the usual F = 0.6 D that is a
// separation of about 36 degrees; multifeed practice stays well inside it.
[[nodiscard]] TwoSatelliteDish ComputeTwoSatelliteDish(double latitude, double longitudeWest,
                                                       double firstSatelliteLongitudeWest,
                                                       double secondSatelliteLongitudeWest, double dishDiameterMetres,
                                                       double focalLengthMm, const EarthGeometry& earth = {});

// Whether a monoblock of this nominal spacing fits the pair.
[[nodiscard]] bool MonoblockFits(double nominalSpacing, const TwoSatelliteDish& dish);
// The nominal spacing of the monoblock sold that fits the pair; none when none does.
[[nodiscard]] std::optional<double> FittingMonoblock(const TwoSatelliteDish& dish);

}  // namespace azimora
