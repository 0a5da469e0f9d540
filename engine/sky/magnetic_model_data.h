// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <span>

namespace azimora {

// One term of a spherical-harmonic model of the Earth's magnetic field:
// Gauss coefficients g and h (nT) at the model's epoch, and their yearly
// change dg and dh (nT per year), for degree n and order m.
struct MagneticCoefficient {
    int n;
    int m;
    double g;
    double h;
    double dg;
    double dh;
};

struct MagneticModelData {
    const char* name;  // "WMM2025"
    double epoch;      // decimal year of the coefficients
    int maxDegree;
    std::span<const MagneticCoefficient> coefficients;
};

// The World Magnetic Model 2025 (engine/sky/data/WMM2025.COF, built in).
extern const MagneticModelData kWmm2025;

}  // namespace azimora
