// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "installation.h"

#include "geometry/dish_setup.h"
#include "geometry/lnb_skew.h"

namespace azimora {

DishSite DishSiteOf(const InstallationInputs& inputs) {
    return {inputs.latitude, inputs.longitudeWest, inputs.satelliteLongitudeWest};
}

InstallationFigures ComputeInstallation(const InstallationInputs& inputs) {
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
    figures.skew = LnbSkew(inputs.latitude, inputs.longitudeWest, inputs.satelliteLongitudeWest);
    figures.motor = MotorMountFor(inputs.latitude, inputs.longitudeWest, inputs.satelliteLongitudeWest);
    figures.dishTilt = DishFaceTilt(elevation, inputs.offsetAngle);
    figures.sunAlignments = SunAlignments(DishSiteOf(inputs), azimuth, DateOf(inputs.instant));
    figures.outageThreshold = OutageThreshold(inputs.dishDiameterMetres, inputs.frequencyGHz);
    return figures;
}

std::vector<SunOutage> OutagesOfTheYear(const InstallationInputs& inputs) {
    const int year = DateOf(inputs.instant).year;
    return SunOutages(DishSiteOf(inputs), OutageThreshold(inputs.dishDiameterMetres, inputs.frequencyGHz),
                      StartOfDay({year, 1, 1}), StartOfDay({year + 1, 1, 1}));
}

}  // namespace azimora
