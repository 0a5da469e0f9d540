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
    void ComputeLunarSolarTerms(const DeepSpaceEpoch& epoch);
    void InitialiseResonance(const DeepSpaceEpoch& epoch);

    DeepSpaceEpoch epoch_;

    // Lunar-solar periodic coefficients (solar s..., lunar x... and e.../z...).
    double e3_ = 0, ee2_ = 0, se2_ = 0, se3_ = 0, sgh2_ = 0, sgh3_ = 0, sgh4_ = 0, sh2_ = 0, sh3_ = 0, si2_ = 0,
           si3_ = 0, sl2_ = 0, sl3_ = 0, sl4_ = 0, xgh2_ = 0, xgh3_ = 0, xgh4_ = 0, xh2_ = 0, xh3_ = 0, xi2_ = 0,
           xi3_ = 0, xl2_ = 0, xl3_ = 0, xl4_ = 0, zmol_ = 0, zmos_ = 0;

    // What the secular and resonance terms need of the set-up.
    double s1_ = 0, s2_ = 0, s3_ = 0, s4_ = 0, s5_ = 0, ss1_ = 0, ss2_ = 0, ss3_ = 0, ss4_ = 0, ss5_ = 0;
    double sz1_ = 0, sz3_ = 0, sz11_ = 0, sz13_ = 0, sz21_ = 0, sz23_ = 0, sz31_ = 0, sz33_ = 0;
    double z1_ = 0, z3_ = 0, z11_ = 0, z13_ = 0, z21_ = 0, z23_ = 0, z31_ = 0, z33_ = 0;
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
