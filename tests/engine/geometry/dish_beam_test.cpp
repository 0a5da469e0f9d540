// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The dish's half-power beamwidth, 70 lambda / D, and the pointing loss
// near the axis, 12 (theta / theta3dB)^2 dB (Maral and Bousquet, "Satellite
// Communications Systems", 5th ed., chapter 5), against the figures an
// installer knows and the main lobe's law at its marks.
#include <gtest/gtest.h>

#include "geometry/dish_beam.h"

namespace azimora {
namespace {

struct BeamCase {
    const char* source;
    double diameterMetres;
    double frequencyGHz;
    double beamwidth;  // degrees, as published
    double tolerance;  // the published figure's rounding, or the formula's own approximation
};

class Beamwidth : public ::testing::TestWithParam<BeamCase> {};

TEST_P(Beamwidth, AsPublished) {
    const BeamCase& c = GetParam();
    EXPECT_NEAR(HalfPowerBeamwidth(c.diameterMetres, c.frequencyGHz), c.beamwidth, c.tolerance) << c.source;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Beamwidth,
    ::testing::Values(
        // The figures an installer knows: a 60 cm Ku dish near 3 degrees, 1.2 m near 1.5.
        BeamCase{"60 cm at 11.7 GHz: about 3 degrees", 0.6, 11.7, 3.0, 0.05},
        BeamCase{"1.2 m at 11.7 GHz: near 1.5 degrees", 1.2, 11.7, 1.5, 0.05}));

struct LossCase {
    const char* what;
    double error;      // as a share of the beamwidth
    double loss;       // dB; negative: beyond the main beam
};

class PointingLossLaw : public ::testing::TestWithParam<LossCase> {};

TEST_P(PointingLossLaw, NearTheAxisAndBeyondTheMainBeam) {
    const LossCase& c = GetParam();
    const double beamwidth = HalfPowerBeamwidth(0.6, 11.7);
    const auto loss = PointingLoss(c.error * beamwidth, beamwidth);
    if (c.loss < 0) {
        EXPECT_FALSE(loss) << c.what;
        return;
    }
    ASSERT_TRUE(loss) << c.what;
    EXPECT_NEAR(*loss, c.loss, 1e-9) << c.what;
    EXPECT_NEAR(PointingErrorForLoss(c.loss, beamwidth), c.error * beamwidth, 1e-9) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Law, PointingLossLaw,
    ::testing::Values(
        LossCase{"on the axis", 0, 0},
        // Half the half-power beamwidth off the axis is the half-power point: 3 dB (ITU-R S.672's
        // main lobe, Gm - 3 (psi / psi0)^2 dB, at psi = psi0).
        LossCase{"at the half-power point", 0.5, 3},
        // A quarter of the beamwidth off: 12 / 16 = 0.75 dB.
        LossCase{"a quarter of the beamwidth off", 0.25, 0.75},
        // The dishes and half a degree of error: 60 cm (3 degrees) 12 / 36, 1.2 m (1.5 degrees) 12 / 9.
        LossCase{"a sixth of the beamwidth off", 1.0 / 6, 1.0 / 3}, LossCase{"a third of the beamwidth off", 1.0 / 3, 4.0 / 3},
        LossCase{"just beyond the half-power point", 0.5001, -1}, LossCase{"a whole beamwidth off", 1, -1}));

}  // namespace
}  // namespace azimora
