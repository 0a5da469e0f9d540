// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

// SGP4's deep-space part (SDP4): the pull of the Sun and the Moon on orbits
// of 225 minutes and more, and the resonance of orbits of half a day and of
// one day with the Earth's gravity field, integrated numerically in steps
// of 720 minutes. Spacetrack Report No. 3 (Hoots and Roehrich, 1980), with
// the corrections of AIAA 2006-6753 (Vallado et al.).
namespace azimora {

struct DeepSpaceEpoch {
    double epoch = 0;  // days from 1950 January 0.0
    double eccentricity = 0, inclination = 0, node = 0, perigee = 0, anomaly = 0;  // radians
    double meanMotion = 0;                                                      // radians a minute
    double mdot = 0, nodedot = 0, argpdot = 0;                                  // secular rates, radians a minute
    double gsto = 0;                                                            // sidereal time at the epoch
};

// Mean elements as the deep-space terms change them.
struct DeepSpaceMean {
    double eccentricity, inclination, node, perigee, anomaly, meanMotion;
};

// The periodic coefficients of one perturbing body, the Sun or the Moon (the
// report's se2 ... sh3 and ee2 ... xh3): eccentricity, inclination, mean
// longitude, perigee and node.
struct LunarSolarCoefficients {
    double e2 = 0, e3 = 0, i2 = 0, i3 = 0, l2 = 0, l3 = 0, l4 = 0, gh2 = 0, gh3 = 0, gh4 = 0, h2 = 0, h3 = 0;
};

class DeepSpace {
public:
    explicit DeepSpace(const DeepSpaceEpoch& epoch);

    // Secular lunar-solar change and resonance at t minutes from the epoch,
    // applied to the mean elements (which arrive with the near-Earth
    // secular terms already in).
    void AddSecular(double t, DeepSpaceMean& mean);

    // The lunar-solar periodic terms at t, applied to the elements.
    void AddPeriodics(double t, double& eccentricity, double& inclination, double& node, double& perigee,
                      double& anomaly) const;

private:
    // The Sun's and the Moon's periodic coefficients and secular rates.
    void ComputeLunarSolarTerms(const DeepSpaceEpoch& epoch);
    void InitialiseResonance(const DeepSpaceEpoch& epoch);

    DeepSpaceEpoch epoch_;

    // Lunar-solar periodic coefficients, and the two bodies' mean anomalies at the epoch.
    LunarSolarCoefficients sun_, moon_;
    double zmos_ = 0, zmol_ = 0;
    double sinim_ = 0, cosim_ = 0, emsq_ = 0;

    // Secular rates.
    double dedt_ = 0, didt_ = 0, dmdt_ = 0, dnodt_ = 0, domdt_ = 0;

    // Resonance: 0 none, 1 one day (geostationary), 2 half a day.
    int resonance_ = 0;
    double d2201_ = 0, d2211_ = 0, d3210_ = 0, d3222_ = 0, d4410_ = 0, d4422_ = 0, d5220_ = 0, d5232_ = 0,
           d5421_ = 0, d5433_ = 0, del1_ = 0, del2_ = 0, del3_ = 0, xfact_ = 0, xlamo_ = 0;
    // The integrator's last step.
    double atime_ = 0, xli_ = 0, xni_ = 0;
};

}  // namespace azimora
