// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "installation.h"

#include <cmath>
#include <cstdio>

#include "errors.h"
#include "geometry/dish_setup.h"
#include "geometry/lnb_skew.h"
#include "geometry/visibility.h"

namespace azimora {

DishSite DishSiteOf(const InstallationInputs& inputs) { return inputs; }

CompassWarning CompassWarningFor(double horizontalFieldNt) noexcept {
    if (horizontalFieldNt < kUnreliableCompassField) return CompassWarning::Unreliable;
    if (horizontalFieldNt < kCautionCompassField) return CompassWarning::Caution;
    return CompassWarning::None;
}

void CheckDishAndFrequency(double dishDiameterMetres, double frequencyGHz) {
    const auto number = [](double value) {
        char text[32];
        std::snprintf(text, sizeof text, "%g", value);
        return std::string(text);
    };
    if (!(dishDiameterMetres > 0) || !(frequencyGHz > 0) || !std::isfinite(dishDiameterMetres) ||
        !std::isfinite(frequencyGHz) || !(OutageThreshold(dishDiameterMetres, frequencyGHz) <= kWidestOutageThreshold))
        throw Error("the dish is too small for this frequency: a " + number(dishDiameterMetres) + " m dish at " +
                    number(frequencyGHz) + " GHz has a beam wider than 60 degrees, and no sun outage to speak of");
}

InstallationFigures ComputeInstallation(const InstallationInputs& inputs) {
    CheckDishAndFrequency(inputs.dishDiameterMetres, inputs.frequencyGHz);
    InstallationFigures figures;
    PointingInputs pointing;
    pointing.Latitude = inputs.latitude;
    pointing.Longitude = inputs.longitudeWest;
    pointing.SatLongitude = inputs.satelliteLongitudeWest;
    figures.pointing = CalculatePointing(pointing);
    figures.azimuthText = AzimuthText(figures.pointing);
    figures.elevationText = ElevationText(figures.pointing);
    const auto azimuth = static_cast<double>(figures.pointing.Azimuth);
    const auto elevation = static_cast<double>(figures.pointing.Elevation);

    figures.magnetic = ComputeMagneticField(kWmm2025, inputs.latitude, inputs.longitudeWest, inputs.altitudeKm,
                                            DecimalYear(inputs.instant));
    figures.compassBearing = CompassBearing(azimuth, figures.magnetic.declination);
    figures.horizontalFieldNt = std::hypot(figures.magnetic.north, figures.magnetic.east);
    figures.compassWarning = CompassWarningFor(figures.horizontalFieldNt);
    figures.visible = IsVisible(elevation);
    if (figures.visible) {
        const double skew = LnbSkew(inputs.latitude, inputs.longitudeWest, inputs.satelliteLongitudeWest);
        if (std::isfinite(skew)) figures.skew = skew;
        figures.motor = MotorMountFor(inputs.latitude, inputs.longitudeWest, inputs.satelliteLongitudeWest);
        figures.dishTilt = DishFaceTilt(elevation, inputs.offsetAngle);
    }
    figures.outageThreshold = OutageThreshold(inputs.dishDiameterMetres, inputs.frequencyGHz);
    return figures;
}

}  // namespace azimora
