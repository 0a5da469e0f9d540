// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "orbits/sgp4.h"

#include <cmath>
#include <numbers>

namespace azimora {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2 * kPi;
constexpr double kRadiansPerDegree = kPi / 180;
constexpr double kMinutesPerDay = 1440;

// WGS-72, the gravity model the element sets are made with.
constexpr double kEarthRadius = 6378.135;  // km
constexpr double kEarthMu = 398600.8;      // km^3/s^2
constexpr double kJ2 = 0.001082616;
constexpr double kJ3 = -0.00000253881;
constexpr double kJ4 = -0.00000165597;
constexpr double kJ3OverJ2 = kJ3 / kJ2;
// sqrt(mu) in Earth radii and minutes.
const double kXke = 60.0 / std::sqrt(kEarthRadius * kEarthRadius * kEarthRadius / kEarthMu);
constexpr double kTwoThirds = 2.0 / 3.0;
// The atmosphere's density function: s and q0 of the report, 78 and 120 km.
constexpr double kDensityS = 78.0 / kEarthRadius + 1;
const double kDensityQ0MinusS4 = std::pow((120.0 - 78.0) / kEarthRadius, 4);

// Julian day of 1950 January 0.0, from which the model counts its epoch.
constexpr double kJulianDay1950 = 2433281.5;

}  // namespace

const char* Sgp4ErrorText(Sgp4Error error) noexcept {
    switch (error) {
        case Sgp4Error::MeanEccentricity: return "its mean eccentricity leaves 0 to 1";
        case Sgp4Error::MeanMotion: return "its mean motion falls to zero";
        case Sgp4Error::PerturbedEccentricity: return "its eccentricity leaves 0 to 1";
        case Sgp4Error::SemiLatusRectum: return "its orbit degenerates";
        case Sgp4Error::Decayed: return "it has come down";
        case Sgp4Error::None: break;
    }
    return "";
}

double JulianDayOfElementEpoch(int twoDigitYear, double dayOfYear) {
    const int year = twoDigitYear + (twoDigitYear < 57 ? 2000 : 1900);
    // Julian day of January 0.0 of that year (Meeus, Astronomical Algorithms, ch. 7, for the Gregorian calendar).
    // January 1.0 as month 13 of the year before, less one day.
    const int y = year - 1;
    const double january0 = std::floor(365.25 * (y + 4716)) + std::floor(30.6001 * 14) + 1 + (2 - y / 100 + y / 400) -
                            1524.5 - 1;
    return january0 + dayOfYear;
}

double GreenwichMeanSiderealTime1982(double julianDay) {
    // IAU 1982 (Aoki et al.), in seconds of time, as the model's frame takes it.
    const double t = (julianDay - 2451545.0) / 36525.0;
    double seconds = -6.2e-6 * t * t * t + 0.093104 * t * t + (876600.0 * 3600 + 8640184.812866) * t + 67310.54841;
    double radians = std::fmod(seconds * kRadiansPerDegree / 240.0, kTwoPi);
    if (radians < 0) radians += kTwoPi;
    return radians;
}

Sgp4Orbit::Sgp4Orbit(const MeanElements& elements) {
    epoch_ = elements.epochJulianDay - kJulianDay1950;
    bstar_ = elements.bstar;
    eccentricity_ = elements.eccentricity;
    inclination_ = elements.inclination * kRadiansPerDegree;
    node_ = elements.rightAscension * kRadiansPerDegree;
    perigee_ = elements.argumentOfPerigee * kRadiansPerDegree;
    anomaly_ = elements.meanAnomaly * kRadiansPerDegree;
    const double kozai = elements.meanMotion * kTwoPi / kMinutesPerDay;

    // The mean motion without the part of J2 that Kozai's theory puts in it.
    const double eccsq = eccentricity_ * eccentricity_;
    const double omeosq = 1 - eccsq;
    const double rteosq = std::sqrt(omeosq);
    const double cosio = std::cos(inclination_);
    const double cosio2 = cosio * cosio;
    const double ak = std::pow(kXke / kozai, kTwoThirds);
    const double d1 = 0.75 * kJ2 * (3 * cosio2 - 1) / (rteosq * omeosq);
    double del = d1 / (ak * ak);
    const double adel = ak * (1 - del * del - del * (1.0 / 3.0 + 134 * del * del / 81));
    del = d1 / (adel * adel);
    meanMotion_ = kozai / (1 + del);

    const double ao = std::pow(kXke / meanMotion_, kTwoThirds);
    const double sinio = std::sin(inclination_);
    const double po = ao * omeosq;
    const double con42 = 1 - 5 * cosio2;
    con41_ = -con42 - cosio2 - cosio2;
    const double posq = po * po;
    const double rp = ao * (1 - eccentricity_);
    gsto_ = GreenwichMeanSiderealTime1982(epoch_ + kJulianDay1950);

    if (omeosq < 0 && meanMotion_ < 0) {
        epochError_ = Sgp4Error::MeanEccentricity;
        return;
    }
    simple_ = rp < 220.0 / kEarthRadius + 1;

    // The density function below a perigee of 156 km.
    double sfour = kDensityS;
    double qzms24 = kDensityQ0MinusS4;
    const double perigeeHeight = (rp - 1) * kEarthRadius;
    if (perigeeHeight < 156) {
        sfour = perigeeHeight - 78;
        if (perigeeHeight < 98) sfour = 20;
        qzms24 = std::pow((120 - sfour) / kEarthRadius, 4);
        sfour = sfour / kEarthRadius + 1;
    }
    const double pinvsq = 1 / posq;
    const double tsi = 1 / (ao - sfour);
    eta_ = ao * eccentricity_ * tsi;
    const double etasq = eta_ * eta_;
    const double eeta = eccentricity_ * eta_;
    const double psisq = std::fabs(1 - etasq);
    const double coef = qzms24 * std::pow(tsi, 4);
    const double coef1 = coef / std::pow(psisq, 3.5);
    const double cc2 = coef1 * meanMotion_ *
                       (ao * (1 + 1.5 * etasq + eeta * (4 + etasq)) +
                        0.375 * kJ2 * tsi / psisq * con41_ * (8 + 3 * etasq * (8 + etasq)));
    cc1_ = bstar_ * cc2;
    const double cc3 = eccentricity_ > 1.0e-4 ? -2 * coef * tsi * kJ3OverJ2 * meanMotion_ * sinio / eccentricity_ : 0;
    x1mth2_ = 1 - cosio2;
    cc4_ = 2 * meanMotion_ * coef1 * ao * omeosq *
           (eta_ * (2 + 0.5 * etasq) + eccentricity_ * (0.5 + 2 * etasq) -
            kJ2 * tsi / (ao * psisq) *
                (-3 * con41_ * (1 - 2 * eeta + etasq * (1.5 - 0.5 * eeta)) +
                 0.75 * x1mth2_ * (2 * etasq - eeta * (1 + etasq)) * std::cos(2 * perigee_)));
    cc5_ = 2 * coef1 * ao * omeosq * (1 + 2.75 * (etasq + eeta) + eeta * etasq);

    // Secular rates from J2 and J4.
    const double cosio4 = cosio2 * cosio2;
    const double temp1 = 1.5 * kJ2 * pinvsq * meanMotion_;
    const double temp2 = 0.5 * temp1 * kJ2 * pinvsq;
    const double temp3 = -0.46875 * kJ4 * pinvsq * pinvsq * meanMotion_;
    mdot_ = meanMotion_ + 0.5 * temp1 * rteosq * con41_ + 0.0625 * temp2 * rteosq * (13 - 78 * cosio2 + 137 * cosio4);
    argpdot_ = -0.5 * temp1 * con42 + 0.0625 * temp2 * (7 - 114 * cosio2 + 395 * cosio4) +
               temp3 * (3 - 36 * cosio2 + 49 * cosio4);
    const double xhdot1 = -temp1 * cosio;
    nodedot_ = xhdot1 + (0.5 * temp2 * (4 - 19 * cosio2) + 2 * temp3 * (3 - 7 * cosio2)) * cosio;
    omgcof_ = bstar_ * cc3 * std::cos(perigee_);
    xmcof_ = eccentricity_ > 1.0e-4 ? -kTwoThirds * coef * bstar_ / eeta : 0;
    nodecf_ = 3.5 * omeosq * xhdot1 * cc1_;
    t2cof_ = 1.5 * cc1_;
    // Divided by 1 + cos i, which vanishes for a retrograde equatorial orbit.
    const double onePlusCos = std::fabs(cosio + 1) > 1.5e-12 ? 1 + cosio : 1.5e-12;
    xlcof_ = -0.25 * kJ3OverJ2 * sinio * (3 + 5 * cosio) / onePlusCos;
    aycof_ = -0.5 * kJ3OverJ2 * sinio;
    delmo_ = std::pow(1 + eta_ * std::cos(anomaly_), 3);
    sinmao_ = std::sin(anomaly_);
    x7thm1_ = 7 * cosio2 - 1;

    if (kTwoPi / meanMotion_ >= 225) {
        simple_ = true;
        DeepSpaceEpoch deep;
        deep.epoch = epoch_;
        deep.eccentricity = eccentricity_;
        deep.inclination = inclination_;
        deep.node = node_;
        deep.perigee = perigee_;
        deep.anomaly = anomaly_;
        deep.meanMotion = meanMotion_;
        deep.mdot = mdot_;
        deep.nodedot = nodedot_;
        deep.argpdot = argpdot_;
        deep.gsto = gsto_;
        deep_.emplace(deep);
    }
    if (!simple_) {
        const double cc1sq = cc1_ * cc1_;
        d2_ = 4 * ao * tsi * cc1sq;
        const double temp = d2_ * tsi * cc1_ / 3;
        d3_ = (17 * ao + sfour) * temp;
        d4_ = 0.5 * temp * ao * tsi * (221 * ao + 31 * sfour) * cc1_;
        t3cof_ = d2_ + 2 * cc1sq;
        t4cof_ = 0.25 * (3 * d3_ + cc1_ * (12 * d2_ + 10 * cc1sq));
        t5cof_ = 0.2 * (3 * d4_ + 12 * cc1_ * d3_ + 6 * d2_ * d2_ + 15 * cc1sq * (2 * d2_ + cc1sq));
    }
    Sgp4State atEpoch;
    epochError_ = Propagate(0, atEpoch);
}

Sgp4Error Sgp4Orbit::Propagate(double t, Sgp4State& state) {
    // Secular gravity and atmospheric drag.
    const double xmdf = anomaly_ + mdot_ * t;
    const double argpdf = perigee_ + argpdot_ * t;
    const double nodedf = node_ + nodedot_ * t;
    const double t2 = t * t;
    double argpm = argpdf;
    double mm = xmdf;
    double nodem = nodedf + nodecf_ * t2;
    double tempa = 1 - cc1_ * t;
    double tempe = bstar_ * cc4_ * t;
    double templ = t2cof_ * t2;
    if (!simple_) {
        const double delomg = omgcof_ * t;
        const double delm = xmcof_ * (std::pow(1 + eta_ * std::cos(xmdf), 3) - delmo_);
        mm = xmdf + delomg + delm;
        argpm = argpdf - delomg - delm;
        const double t3 = t2 * t, t4 = t3 * t;
        tempa = tempa - d2_ * t2 - d3_ * t3 - d4_ * t4;
        tempe += bstar_ * cc5_ * (std::sin(mm) - sinmao_);
        templ += t3cof_ * t3 + t4 * (t4cof_ + t * t5cof_);
    }
    double nm = meanMotion_;
    double em = eccentricity_;
    double inclm = inclination_;
    if (deep_) {
        DeepSpaceMean mean{em, inclm, nodem, argpm, mm, nm};
        deep_->AddSecular(t, mean);
        em = mean.eccentricity, inclm = mean.inclination, nodem = mean.node, argpm = mean.perigee, mm = mean.anomaly,
        nm = mean.meanMotion;
    }
    if (nm <= 0) return Sgp4Error::MeanMotion;
    const double am = std::pow(kXke / nm, kTwoThirds) * tempa * tempa;
    nm = kXke / std::pow(am, 1.5);
    em -= tempe;
    if (em >= 1 || em < -0.001) return Sgp4Error::MeanEccentricity;
    if (em < 1.0e-6) em = 1.0e-6;  // no division by zero below
    mm += meanMotion_ * templ;
    double xlm = mm + argpm + nodem;
    nodem = std::fmod(nodem, kTwoPi);
    argpm = std::fmod(argpm, kTwoPi);
    xlm = std::fmod(xlm, kTwoPi);
    mm = std::fmod(xlm - argpm - nodem, kTwoPi);

    // Lunar-solar periodics.
    double ep = em, xincp = inclm, argpp = argpm, nodep = nodem, mp = mm;
    double sinip = std::sin(inclm), cosip = std::cos(inclm);
    double aycof = aycof_, xlcof = xlcof_, con41 = con41_, x1mth2 = x1mth2_, x7thm1 = x7thm1_;
    if (deep_) {
        deep_->AddPeriodics(t, ep, xincp, nodep, argpp, mp);
        if (xincp < 0) {
            xincp = -xincp;
            nodep += kPi;
            argpp -= kPi;
        }
        if (ep < 0 || ep > 1) return Sgp4Error::PerturbedEccentricity;
        sinip = std::sin(xincp);
        cosip = std::cos(xincp);
        aycof = -0.5 * kJ3OverJ2 * sinip;
        const double onePlusCos = std::fabs(cosip + 1) > 1.5e-12 ? 1 + cosip : 1.5e-12;
        xlcof = -0.25 * kJ3OverJ2 * sinip * (3 + 5 * cosip) / onePlusCos;
        const double cosisq = cosip * cosip;
        con41 = 3 * cosisq - 1;
        x1mth2 = 1 - cosisq;
        x7thm1 = 7 * cosisq - 1;
    }

    // Long-period periodics.
    const double axnl = ep * std::cos(argpp);
    double temp = 1 / (am * (1 - ep * ep));
    const double aynl = ep * std::sin(argpp) + temp * aycof;
    const double xl = mp + argpp + nodep + temp * xlcof * axnl;

    // Kepler's equation, with steps of at most 0.95 radian.
    const double u = std::fmod(xl - nodep, kTwoPi);
    double eo1 = u, sineo1 = 0, coseo1 = 0;
    double step = 9999.9;
    for (int k = 0; std::fabs(step) >= 1.0e-12 && k < 10; ++k) {
        sineo1 = std::sin(eo1);
        coseo1 = std::cos(eo1);
        step = (u - aynl * coseo1 + axnl * sineo1 - eo1) / (1 - coseo1 * axnl - sineo1 * aynl);
        if (std::fabs(step) >= 0.95) step = step > 0 ? 0.95 : -0.95;
        eo1 += step;
    }

    // Short-period periodics.
    const double ecose = axnl * coseo1 + aynl * sineo1;
    const double esine = axnl * sineo1 - aynl * coseo1;
    const double el2 = axnl * axnl + aynl * aynl;
    const double pl = am * (1 - el2);
    if (pl < 0) return Sgp4Error::SemiLatusRectum;
    const double rl = am * (1 - ecose);
    const double rdotl = std::sqrt(am) * esine / rl;
    const double rvdotl = std::sqrt(pl) / rl;
    const double betal = std::sqrt(1 - el2);
    temp = esine / (1 + betal);
    const double sinu = am / rl * (sineo1 - aynl - axnl * temp);
    const double cosu = am / rl * (coseo1 - axnl + aynl * temp);
    double su = std::atan2(sinu, cosu);
    const double sin2u = (cosu + cosu) * sinu;
    const double cos2u = 1 - 2 * sinu * sinu;
    temp = 1 / pl;
    const double temp1 = 0.5 * kJ2 * temp;
    const double temp2 = temp1 * temp;
    const double mrt = rl * (1 - 1.5 * temp2 * betal * con41) + 0.5 * temp1 * x1mth2 * cos2u;
    su -= 0.25 * temp2 * x7thm1 * sin2u;
    const double xnode = nodep + 1.5 * temp2 * cosip * sin2u;
    const double xinc = xincp + 1.5 * temp2 * cosip * sinip * cos2u;
    const double mvt = rdotl - nm * temp1 * x1mth2 * sin2u / kXke;
    const double rvdot = rvdotl + nm * temp1 * (x1mth2 * cos2u + 1.5 * con41) / kXke;

    // Position and velocity in the TEME frame.
    const double sinsu = std::sin(su), cossu = std::cos(su);
    const double snod = std::sin(xnode), cnod = std::cos(xnode);
    const double sini = std::sin(xinc), cosi = std::cos(xinc);
    const double xmx = -snod * cosi, xmy = cnod * cosi;
    const double ux = xmx * sinsu + cnod * cossu, uy = xmy * sinsu + snod * cossu, uz = sini * sinsu;
    const double vx = xmx * cossu - cnod * sinsu, vy = xmy * cossu - snod * sinsu, vz = sini * cossu;
    const double kmPerSecond = kEarthRadius * kXke / 60.0;
    state.position = {mrt * ux * kEarthRadius, mrt * uy * kEarthRadius, mrt * uz * kEarthRadius};
    state.velocity = {(mvt * ux + rvdot * vx) * kmPerSecond, (mvt * uy + rvdot * vy) * kmPerSecond,
                      (mvt * uz + rvdot * vz) * kmPerSecond};
    if (mrt < 1) return Sgp4Error::Decayed;
    return Sgp4Error::None;
}

}  // namespace azimora
