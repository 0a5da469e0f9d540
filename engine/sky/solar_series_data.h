// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <span>

// The published series of the sun's place, built in from engine/sky/data
// (cmake/EmbedSolarSeries.cmake; scripts/make-solar-series.mjs wrote them).
namespace azimora {

// A term A cos(B + C tau) of VSOP87D for the Earth: series 'L' (heliocentric
// longitude, radians), 'B' (latitude, radians) or 'R' (distance, au), times
// tau^power, tau in millennia of 365250 days from J2000.0.
struct Vsop87Term {
    char series;
    int power;
    double a, b, c;
};

// A term of the IAU 1980 nutation (J. Meeus, "Astronomical Algorithms",
// Table 22.A): the multiples of D, M, M', F and Omega in the argument; the
// coefficients of sin for the nutation in longitude and of cos for that in
// obliquity, each with its rate per Julian century, in 0.0001".
struct NutationTerm {
    int d, m, mp, f, omega;
    double psi, psiRate, eps, epsRate;
};

extern const std::span<const Vsop87Term> kVsop87dEarth;
extern const std::span<const NutationTerm> kNutationIau1980;

}  // namespace azimora
