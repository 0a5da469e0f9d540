// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "geometry/dish_beam.h"

#include <cmath>

namespace azimora {
namespace {

constexpr double kBeamwidthFactor = 70;  // degrees per wavelength a diameter
constexpr double kLossFactor = 12;       // dB at an error of one beamwidth

}  // namespace

double HalfPowerBeamwidth(double dishDiameterMetres, double frequencyGHz) {
    const double wavelength = kSpeedOfLight / (frequencyGHz * 1e9);
    return kBeamwidthFactor * wavelength / dishDiameterMetres;
}

std::optional<double> PointingLoss(double errorDegrees, double beamwidthDegrees) {
    if (!(errorDegrees <= beamwidthDegrees / 2)) return std::nullopt;
    const double relative = errorDegrees / beamwidthDegrees;
    return kLossFactor * relative * relative;
}

double PointingErrorForLoss(double lossDb, double beamwidthDegrees) {
    return beamwidthDegrees * std::sqrt(lossDb / kLossFactor);
}

}  // namespace azimora
