// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

// A dish's main beam: how wide it is, and the signal a pointing error costs.
// Both from Maral and Bousquet, "Satellite Communications Systems", 5th ed.
// (Wiley, 2009), chapter 5 on the link's antennas: the half-power
// beamwidth of a reflector many wavelengths across, 70 lambda / D degrees,
// and the depointing loss near the beam's axis, 12 (theta / theta3dB)^2 dB.
// ITU-R S.672 draws the main lobe by the same law, Gm - 3 (psi / psi0)^2 dB
// with psi0 half the half-power beamwidth.
namespace azimora {

inline constexpr double kSpeedOfLight = 299792458.0;  // m/s

// The full angle between the beam's half-power points, degrees.
[[nodiscard]] double HalfPowerBeamwidth(double dishDiameterMetres, double frequencyGHz);

// The loss an error of errorDegrees off the beam's axis costs, dB; none
// beyond half the beamwidth (3 dB), where the law leaves the main beam and
// the signal is as good as lost.
[[nodiscard]] std::optional<double> PointingLoss(double errorDegrees, double beamwidthDegrees);

// The error that costs lossDb (at most 3 dB): the law turned round.
[[nodiscard]] double PointingErrorForLoss(double lossDb, double beamwidthDegrees);

}  // namespace azimora
