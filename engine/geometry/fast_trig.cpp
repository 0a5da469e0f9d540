// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "geometry/fast_trig.h"

#include <cmath>

namespace azimora {
namespace {

#if defined(__x86_64__) || defined(__i386__)
void SinCosSmall(long double x, long double& sine, long double& cosine) noexcept {
    long double s;
    long double c;
    asm("fsincos" : "=t"(c), "=u"(s) : "0"(x));
    sine = s;
    cosine = c;
}
constexpr bool kHaveX87 = true;
#else
void SinCosSmall(long double x, long double& sine, long double& cosine) noexcept {
    sine = std::sin(x);
    cosine = std::cos(x);
}
constexpr bool kHaveX87 = false;
#endif

// pi/2 in three parts (Cody and Waite): the first two hold 32 bits each, so
// k times either is exact for the k we reduce with.
constexpr long double kHalfPi1 = 1.570796326734125614166259765625L;
constexpr long double kHalfPi2 = 6.077100506303965976595549136618501506745815277099609375e-11L;
constexpr long double kHalfPi3 = 2.022266248795950732399684620094757716476e-21L;
constexpr long double kQuarterPi = 0.785398163397448309615660845819875721L;
constexpr long double kTwoOverPi = 0.636619772367581343075535053490057448L;
constexpr long double kReductionLimit = 1048576.0L;  // 2^20: k stays below 2^20

}  // namespace

void SinCos(long double x, long double& sine, long double& cosine) noexcept {
    if (!kHaveX87 || !(std::fabs(x) < kReductionLimit)) {
        sine = std::sin(x);
        cosine = std::cos(x);
        return;
    }
    if (std::fabs(x) <= kQuarterPi) {
        SinCosSmall(x, sine, cosine);
        return;
    }
    const long double k = std::rint(x * kTwoOverPi);  // nearbyint is far slower on x87
    const long double r = ((x - k * kHalfPi1) - k * kHalfPi2) - k * kHalfPi3;
    long double s;
    long double c;
    SinCosSmall(r, s, c);
    switch (static_cast<long long>(k) & 3) {
        case 0: sine = s, cosine = c; break;
        case 1: sine = c, cosine = -s; break;
        case 2: sine = -s, cosine = -c; break;
        default: sine = -c, cosine = s; break;
    }
}

}  // namespace azimora
