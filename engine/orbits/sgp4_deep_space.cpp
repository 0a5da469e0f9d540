// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "orbits/sgp4_deep_space.h"

#include <cmath>
#include <numbers>

namespace azimora {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// Lunar and solar constants of the report: eccentricities, mean motions
// (radians a minute) and the first terms of their perturbing functions.
constexpr double kSolarEccentricity = 0.01675;
constexpr double kLunarEccentricity = 0.05490;
constexpr double kSolarMotion = 1.19459e-5;
constexpr double kLunarMotion = 1.5835218e-4;
constexpr double kSolarC1 = 2.9864797e-6;
constexpr double kLunarC1 = 4.7968065e-7;
// The Earth's turning, radians a minute.
constexpr double kEarthRate = 4.37526908801129966e-3;
// Within three degrees of an equatorial orbit the node's rate is left out.
constexpr double kNearEquatorial = 5.2359877e-2;

struct Perturbation {
    double s1, s2, s3, s4, s5, s6, s7;
    double z1, z2, z3, z11, z12, z13, z21, z22, z23, z31, z32, z33;
};

// The perturbing body's terms (the report's loop over the Sun, then the Moon).
Perturbation BodyTerms(double zcosg, double zsing, double zcosi, double zsini, double zcosh, double zsinh, double cc,
                       double meanMotion, double cosim, double sinim, double cosomm, double sinomm, double em,
                       double emsq) {
    const double betasq = 1 - emsq;
    const double rtemsq = std::sqrt(betasq);
    const double a1 = zcosg * zcosh + zsing * zcosi * zsinh;
    const double a3 = -zsing * zcosh + zcosg * zcosi * zsinh;
    const double a7 = -zcosg * zsinh + zsing * zcosi * zcosh;
    const double a8 = zsing * zsini;
    const double a9 = zsing * zsinh + zcosg * zcosi * zcosh;
    const double a10 = zcosg * zsini;
    const double a2 = cosim * a7 + sinim * a8;
    const double a4 = cosim * a9 + sinim * a10;
    const double a5 = -sinim * a7 + cosim * a8;
    const double a6 = -sinim * a9 + cosim * a10;

    const double x1 = a1 * cosomm + a2 * sinomm;
    const double x2 = a3 * cosomm + a4 * sinomm;
    const double x3 = -a1 * sinomm + a2 * cosomm;
    const double x4 = -a3 * sinomm + a4 * cosomm;
    const double x5 = a5 * sinomm;
    const double x6 = a6 * sinomm;
    const double x7 = a5 * cosomm;
    const double x8 = a6 * cosomm;

    Perturbation p{};
    p.z31 = 12 * x1 * x1 - 3 * x3 * x3;
    p.z32 = 24 * x1 * x2 - 6 * x3 * x4;
    p.z33 = 12 * x2 * x2 - 3 * x4 * x4;
    p.z1 = 3 * (a1 * a1 + a2 * a2) + p.z31 * emsq;
    p.z2 = 6 * (a1 * a3 + a2 * a4) + p.z32 * emsq;
    p.z3 = 3 * (a3 * a3 + a4 * a4) + p.z33 * emsq;
    p.z11 = -6 * a1 * a5 + emsq * (-24 * x1 * x7 - 6 * x3 * x5);
    p.z12 = -6 * (a1 * a6 + a3 * a5) + emsq * (-24 * (x2 * x7 + x1 * x8) - 6 * (x3 * x6 + x4 * x5));
    p.z13 = -6 * a3 * a6 + emsq * (-24 * x2 * x8 - 6 * x4 * x6);
    p.z21 = 6 * a2 * a5 + emsq * (24 * x1 * x5 - 6 * x3 * x7);
    p.z22 = 6 * (a4 * a5 + a2 * a6) + emsq * (24 * (x2 * x5 + x1 * x6) - 6 * (x4 * x7 + x3 * x8));
    p.z23 = 6 * a4 * a6 + emsq * (24 * x2 * x6 - 6 * x4 * x8);
    p.z1 = p.z1 + p.z1 + betasq * p.z31;
    p.z2 = p.z2 + p.z2 + betasq * p.z32;
    p.z3 = p.z3 + p.z3 + betasq * p.z33;
    p.s3 = cc / meanMotion;
    p.s2 = -0.5 * p.s3 / rtemsq;
    p.s4 = p.s3 * rtemsq;
    p.s1 = -15 * em * p.s4;
    p.s5 = x1 * x3 + x2 * x4;
    p.s6 = x2 * x3 + x1 * x4;
    p.s7 = x2 * x4 - x1 * x3;
    return p;
}

// The periodic terms of one body at t: eccentricity, inclination, mean
// longitude, perigee and node.
struct Periodic {
    double e, i, l, gh, h;
};

// The periodic coefficients of a body from its terms (the same for the Sun and the Moon).
LunarSolarCoefficients CoefficientsOf(const Perturbation& b, double bodyEccentricity, double emsq) {
    LunarSolarCoefficients c;
    c.e2 = 2 * b.s1 * b.s6;
    c.e3 = 2 * b.s1 * b.s7;
    c.i2 = 2 * b.s2 * b.z12;
    c.i3 = 2 * b.s2 * (b.z13 - b.z11);
    c.l2 = -2 * b.s3 * b.z2;
    c.l3 = -2 * b.s3 * (b.z3 - b.z1);
    c.l4 = -2 * b.s3 * (-21 - 9 * emsq) * bodyEccentricity;
    c.gh2 = 2 * b.s4 * b.z32;
    c.gh3 = 2 * b.s4 * (b.z33 - b.z31);
    c.gh4 = -18 * b.s4 * bodyEccentricity;
    c.h2 = -2 * b.s2 * b.z22;
    c.h3 = -2 * b.s2 * (b.z23 - b.z21);
    return c;
}

// A body's secular rates: eccentricity, inclination, mean anomaly, perigee
// (before the node's share) and node (before the division by sin i).
Periodic SecularOf(const Perturbation& b, double bodyMotion, double emsq) {
    return {b.s1 * bodyMotion * b.s5, b.s2 * bodyMotion * (b.z11 + b.z13), -bodyMotion * b.s3 * (b.z1 + b.z3 - 14 - 6 * emsq),
            b.s4 * bodyMotion * (b.z31 + b.z33 - 6), -bodyMotion * b.s2 * (b.z21 + b.z23)};
}

Periodic BodyPeriodics(double zm, double eccentricity, const LunarSolarCoefficients& c) {
    const double zf = zm + 2 * eccentricity * std::sin(zm);
    const double sinzf = std::sin(zf);
    const double f2 = 0.5 * sinzf * sinzf - 0.25;
    const double f3 = -0.5 * sinzf * std::cos(zf);
    return {c.e2 * f2 + c.e3 * f3, c.i2 * f2 + c.i3 * f3, c.l2 * f2 + c.l3 * f3 + c.l4 * sinzf,
            c.gh2 * f2 + c.gh3 * f3 + c.gh4 * sinzf, c.h2 * f2 + c.h3 * f3};
}

}  // namespace

DeepSpace::DeepSpace(const DeepSpaceEpoch& epoch) : epoch_(epoch) {
    ComputeLunarSolarTerms(epoch);
    InitialiseResonance(epoch);
}

void DeepSpace::ComputeLunarSolarTerms(const DeepSpaceEpoch& epoch) {
    const double em = epoch.eccentricity;
    emsq_ = em * em;
    const double snodm = std::sin(epoch.node), cnodm = std::cos(epoch.node);
    const double sinomm = std::sin(epoch.perigee), cosomm = std::cos(epoch.perigee);
    sinim_ = std::sin(epoch.inclination);
    cosim_ = std::cos(epoch.inclination);

    // The Moon's orbit at the epoch.
    const double day = epoch.epoch + 18261.5;
    const double xnodce = std::fmod(4.5236020 - 9.2422029e-4 * day, kTwoPi);
    const double stem = std::sin(xnodce), ctem = std::cos(xnodce);
    const double zcosil = 0.91375164 - 0.03568096 * ctem;
    const double zsinil = std::sqrt(1 - zcosil * zcosil);
    const double zsinhl = 0.089683511 * stem / zsinil;
    const double zcoshl = std::sqrt(1 - zsinhl * zsinhl);
    const double gam = 5.8351514 + 0.0019443680 * day;
    double zx = 0.39785416 * stem / zsinil;
    const double zy = zcoshl * ctem + 0.91744867 * zsinhl * stem;
    zx = gam + std::atan2(zx, zy) - xnodce;
    const double zcosgl = std::cos(zx), zsingl = std::sin(zx);

    // The Sun: its perigee and the ecliptic's inclination to the equator.
    const Perturbation sun = BodyTerms(0.1945905, -0.98088458, 0.91744867, 0.39785416, cnodm, snodm, kSolarC1,
                                       epoch.meanMotion, cosim_, sinim_, cosomm, sinomm, em, emsq_);
    const Perturbation moon =
        BodyTerms(zcosgl, zsingl, zcosil, zsinil, zcoshl * cnodm + zsinhl * snodm, snodm * zcoshl - cnodm * zsinhl,
                  kLunarC1, epoch.meanMotion, cosim_, sinim_, cosomm, sinomm, em, emsq_);

    zmol_ = std::fmod(4.7199672 + 0.22997150 * day - gam, kTwoPi);
    zmos_ = std::fmod(6.2565837 + 0.017201977 * day, kTwoPi);

    sun_ = CoefficientsOf(sun, kSolarEccentricity, emsq_);
    moon_ = CoefficientsOf(moon, kLunarEccentricity, emsq_);

    // Secular rates: the Sun's terms, then the Moon's.
    const Periodic solar = SecularOf(sun, kSolarMotion, emsq_);
    const Periodic lunar = SecularOf(moon, kLunarMotion, emsq_);
    double shs = solar.h;
    const bool nearEquatorial =
        epoch.inclination < kNearEquatorial || epoch.inclination > std::numbers::pi - kNearEquatorial;
    if (nearEquatorial) shs = 0;
    if (sinim_ != 0) shs /= sinim_;
    const double sgs = solar.gh - cosim_ * shs;

    dedt_ = solar.e + lunar.e;
    didt_ = solar.i + lunar.i;
    dmdt_ = solar.l + lunar.l;
    double shll = lunar.h;
    if (nearEquatorial) shll = 0;
    domdt_ = sgs + lunar.gh;
    dnodt_ = shs;
    if (sinim_ != 0) {
        domdt_ -= cosim_ / sinim_ * shll;
        dnodt_ += shll / sinim_;
    }
}

void DeepSpace::InitialiseResonance(const DeepSpaceEpoch& epoch) {
    const double nm = epoch.meanMotion;
    const double em = epoch.eccentricity;
    if (nm > 0.0034906585 && nm < 0.0052359877) resonance_ = 1;
    if (nm >= 8.26e-3 && nm <= 9.24e-3 && em >= 0.5) resonance_ = 2;

    if (resonance_ == 0) return;

    const double theta = std::fmod(epoch.gsto, kTwoPi);
    const double aonv = std::pow(nm / (60.0 / std::sqrt(6378.135 * 6378.135 * 6378.135 / 398600.8)), 2.0 / 3.0);
    if (resonance_ == 2) {
        // Half a day: the terms of the geopotential that resonate with it,
        // as functions of the eccentricity.
        const double cosisq = cosim_ * cosim_;
        const double e = epoch.eccentricity;
        const double esq = e * e;
        const double eoc = e * esq;
        const double g201 = -0.306 - (e - 0.64) * 0.440;
        double g211, g310, g322, g410, g422, g520, g521, g532, g533;
        if (e <= 0.65) {
            g211 = 3.616 - 13.2470 * e + 16.2900 * esq;
            g310 = -19.302 + 117.3900 * e - 228.4190 * esq + 156.5910 * eoc;
            g322 = -18.9068 + 109.7927 * e - 214.6334 * esq + 146.5816 * eoc;
            g410 = -41.122 + 242.6940 * e - 471.0940 * esq + 313.9530 * eoc;
            g422 = -146.407 + 841.8800 * e - 1629.014 * esq + 1083.4350 * eoc;
            g520 = -532.114 + 3017.977 * e - 5740.032 * esq + 3708.2760 * eoc;
        } else {
            g211 = -72.099 + 331.819 * e - 508.738 * esq + 266.724 * eoc;
            g310 = -346.844 + 1582.851 * e - 2415.925 * esq + 1246.113 * eoc;
            g322 = -342.585 + 1554.908 * e - 2366.899 * esq + 1215.972 * eoc;
            g410 = -1052.797 + 4758.686 * e - 7193.992 * esq + 3651.957 * eoc;
            g422 = -3581.690 + 16178.110 * e - 24462.770 * esq + 12422.520 * eoc;
            g520 = e > 0.715 ? -5149.66 + 29936.92 * e - 54087.36 * esq + 31324.56 * eoc
                             : 1464.74 - 4664.75 * e + 3763.64 * esq;
        }
        if (e < 0.7) {
            g533 = -919.22770 + 4988.6100 * e - 9064.7700 * esq + 5542.21 * eoc;
            g521 = -822.71072 + 4568.6173 * e - 8491.4146 * esq + 5337.524 * eoc;
            g532 = -853.66600 + 4690.2500 * e - 8624.7700 * esq + 5341.4 * eoc;
        } else {
            g533 = -37995.780 + 161616.52 * e - 229838.20 * esq + 109377.94 * eoc;
            g521 = -51752.104 + 218913.95 * e - 309468.16 * esq + 146349.42 * eoc;
            g532 = -40023.880 + 170470.89 * e - 242699.48 * esq + 115605.82 * eoc;
        }
        const double sini2 = sinim_ * sinim_;
        const double f220 = 0.75 * (1 + 2 * cosim_ + cosisq);
        const double f221 = 1.5 * sini2;
        const double f321 = 1.875 * sinim_ * (1 - 2 * cosim_ - 3 * cosisq);
        const double f322 = -1.875 * sinim_ * (1 + 2 * cosim_ - 3 * cosisq);
        const double f441 = 35 * sini2 * f220;
        const double f442 = 39.3750 * sini2 * sini2;
        const double f522 =
            9.84375 * sinim_ * (sini2 * (1 - 2 * cosim_ - 5 * cosisq) + 0.33333333 * (-2 + 4 * cosim_ + 6 * cosisq));
        const double f523 =
            sinim_ * (4.92187512 * sini2 * (-2 - 4 * cosim_ + 10 * cosisq) + 6.56250012 * (1 + 2 * cosim_ - 3 * cosisq));
        const double f542 = 29.53125 * sinim_ * (2 - 8 * cosim_ + cosisq * (-12 + 8 * cosim_ + 10 * cosisq));
        const double f543 = 29.53125 * sinim_ * (-2 - 8 * cosim_ + cosisq * (12 + 8 * cosim_ - 10 * cosisq));
        // The report's resonance coefficients (root22 ... root54).
        constexpr double root22 = 1.7891679e-6, root32 = 3.7393792e-7, root44 = 7.3636953e-9, root52 = 1.1428639e-7,
                         root54 = 2.1765803e-9;
        double temp1 = 3 * nm * nm * aonv * aonv;
        double temp = temp1 * root22;
        d2201_ = temp * f220 * g201;
        d2211_ = temp * f221 * g211;
        temp1 *= aonv;
        temp = temp1 * root32;
        d3210_ = temp * f321 * g310;
        d3222_ = temp * f322 * g322;
        temp1 *= aonv;
        temp = 2 * temp1 * root44;
        d4410_ = temp * f441 * g410;
        d4422_ = temp * f442 * g422;
        temp1 *= aonv;
        temp = temp1 * root52;
        d5220_ = temp * f522 * g520;
        d5232_ = temp * f523 * g532;
        temp = 2 * temp1 * root54;
        d5421_ = temp * f542 * g521;
        d5433_ = temp * f543 * g533;
        xlamo_ = std::fmod(epoch.anomaly + epoch.node + epoch.node - theta - theta, kTwoPi);
        xfact_ = epoch.mdot + dmdt_ + 2 * (epoch.nodedot + dnodt_ - kEarthRate) - epoch.meanMotion;
    } else {
        // One day: the geostationary belt.
        constexpr double q22 = 1.7891679e-6, q31 = 2.1460748e-6, q33 = 2.2123015e-7;
        const double g200 = 1 + emsq_ * (-2.5 + 0.8125 * emsq_);
        const double g310 = 1 + 2 * emsq_;
        const double g300 = 1 + emsq_ * (-6 + 6.60937 * emsq_);
        const double f220 = 0.75 * (1 + cosim_) * (1 + cosim_);
        const double f311 = 0.9375 * sinim_ * sinim_ * (1 + 3 * cosim_) - 0.75 * (1 + cosim_);
        const double f330 = 1.875 * std::pow(1 + cosim_, 3);
        const double del1 = 3 * nm * nm * aonv * aonv;
        del2_ = 2 * del1 * f220 * g200 * q22;
        del3_ = 3 * del1 * f330 * g300 * q33 * aonv;
        del1_ = del1 * f311 * g310 * q31 * aonv;
        xlamo_ = std::fmod(epoch.anomaly + epoch.node + epoch.perigee - theta, kTwoPi);
        xfact_ = epoch.mdot + (epoch.argpdot + epoch.nodedot) - kEarthRate + dmdt_ + domdt_ + dnodt_ - epoch.meanMotion;
    }
    xli_ = xlamo_;
    xni_ = epoch.meanMotion;
    atime_ = 0;
}

void DeepSpace::AddSecular(double t, DeepSpaceMean& mean) {
    mean.eccentricity += dedt_ * t;
    mean.inclination += didt_ * t;
    mean.perigee += domdt_ * t;
    mean.node += dnodt_ * t;
    mean.anomaly += dmdt_ * t;
    if (resonance_ == 0) return;

    // Euler-Maclaurin integration of the resonance in steps of 720 minutes,
    // from the last step reached towards t (from the epoch again when t lies
    // on the other side, or behind).
    constexpr double kStep = 720, kHalfStepSquared = 259200;
    constexpr double fasx2 = 0.13130908, fasx4 = 2.8843198, fasx6 = 0.37448087;
    constexpr double g22 = 5.7686396, g32 = 0.95240898, g44 = 1.8014998, g52 = 1.0508330, g54 = 4.4108898;
    const double theta = std::fmod(epoch_.gsto + t * kEarthRate, kTwoPi);
    if (atime_ == 0 || t * atime_ <= 0 || std::fabs(t) < std::fabs(atime_)) {
        atime_ = 0;
        xni_ = epoch_.meanMotion;
        xli_ = xlamo_;
    }
    const double delt = t > 0 ? kStep : -kStep;
    double xndt = 0, xldot = 0, xnddt = 0, ft = 0;
    while (true) {
        if (resonance_ != 2) {
            xndt = del1_ * std::sin(xli_ - fasx2) + del2_ * std::sin(2 * (xli_ - fasx4)) +
                   del3_ * std::sin(3 * (xli_ - fasx6));
            xldot = xni_ + xfact_;
            xnddt = del1_ * std::cos(xli_ - fasx2) + 2 * del2_ * std::cos(2 * (xli_ - fasx4)) +
                    3 * del3_ * std::cos(3 * (xli_ - fasx6));
        } else {
            const double xomi = epoch_.perigee + epoch_.argpdot * atime_;
            const double x2omi = xomi + xomi;
            const double x2li = xli_ + xli_;
            xndt = d2201_ * std::sin(x2omi + xli_ - g22) + d2211_ * std::sin(xli_ - g22) +
                   d3210_ * std::sin(xomi + xli_ - g32) + d3222_ * std::sin(-xomi + xli_ - g32) +
                   d4410_ * std::sin(x2omi + x2li - g44) + d4422_ * std::sin(x2li - g44) +
                   d5220_ * std::sin(xomi + xli_ - g52) + d5232_ * std::sin(-xomi + xli_ - g52) +
                   d5421_ * std::sin(xomi + x2li - g54) + d5433_ * std::sin(-xomi + x2li - g54);
            xldot = xni_ + xfact_;
            xnddt = d2201_ * std::cos(x2omi + xli_ - g22) + d2211_ * std::cos(xli_ - g22) +
                    d3210_ * std::cos(xomi + xli_ - g32) + d3222_ * std::cos(-xomi + xli_ - g32) +
                    d5220_ * std::cos(xomi + xli_ - g52) + d5232_ * std::cos(-xomi + xli_ - g52) +
                    2 * (d4410_ * std::cos(x2omi + x2li - g44) + d4422_ * std::cos(x2li - g44) +
                         d5421_ * std::cos(xomi + x2li - g54) + d5433_ * std::cos(-xomi + x2li - g54));
        }
        xnddt *= xldot;
        if (std::fabs(t - atime_) < kStep) {
            ft = t - atime_;
            break;
        }
        xli_ += xldot * delt + xndt * kHalfStepSquared;
        xni_ += xndt * delt + xnddt * kHalfStepSquared;
        atime_ += delt;
    }
    const double nm = xni_ + xndt * ft + xnddt * ft * ft * 0.5;
    const double xl = xli_ + xldot * ft + xndt * ft * ft * 0.5;
    if (resonance_ != 1) {
        mean.anomaly = xl - 2 * mean.node + 2 * theta;
    } else {
        mean.anomaly = xl - mean.node - mean.perigee + theta;
    }
    mean.meanMotion = nm;
}

void DeepSpace::AddPeriodics(double t, double& eccentricity, double& inclination, double& node, double& perigee,
                             double& anomaly) const {
    const Periodic sun = BodyPeriodics(zmos_ + kSolarMotion * t, kSolarEccentricity, sun_);
    const Periodic moon = BodyPeriodics(zmol_ + kLunarMotion * t, kLunarEccentricity, moon_);
    // The terms at the epoch are taken as zero (AIAA 2006-6753).
    const double pe = sun.e + moon.e, pinc = sun.i + moon.i, pl = sun.l + moon.l, pgh = sun.gh + moon.gh;
    double ph = sun.h + moon.h;
    inclination += pinc;
    eccentricity += pe;
    const double sinip = std::sin(inclination), cosip = std::cos(inclination);
    if (inclination >= 0.2) {
        ph /= sinip;
        perigee += pgh - cosip * ph;
        node += ph;
        anomaly += pl;
        return;
    }
    // Near the equator, through the components of the inclination vector
    // (Lyddane's modification), which stay defined where the node does not.
    const double sinop = std::sin(node), cosop = std::cos(node);
    double alfdp = sinip * sinop, betdp = sinip * cosop;
    alfdp += ph * cosop + pinc * cosip * sinop;
    betdp += -ph * sinop + pinc * cosip * cosop;
    node = std::fmod(node, kTwoPi);
    double xls = anomaly + perigee + cosip * node;
    xls += pl + pgh - pinc * node * sinip;
    const double oldNode = node;
    node = std::atan2(alfdp, betdp);
    if (std::fabs(oldNode - node) > std::numbers::pi) node += node < oldNode ? kTwoPi : -kTwoPi;
    anomaly += pl;
    perigee = xls - anomaly - cosip * node;
}

}  // namespace azimora
