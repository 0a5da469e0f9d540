// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>

#include "sky/civil_time.h"

// Finding instants in a smooth function of time: where it crosses zero, and
// where it peaks. Both bracket the instant between two others that the
// caller found by sampling.
namespace azimora {

// Where f changes sign between a and b (fa, fb of opposite signs): false
// position with the Illinois step, until the bracket is a hundredth of a
// second wide or f is as good as zero.
template <typename F>
UnixSeconds RootBetween(F f, UnixSeconds a, double fa, UnixSeconds b, double fb, double zero) {
    int side = 0;
    UnixSeconds t = (a + b) / 2;
    for (int i = 0; i < 100 && b - a > 0.01; ++i) {
        t = (a * fb - b * fa) / (fb - fa);
        const double ft = f(t);
        if (std::fabs(ft) <= zero) return t;
        if ((ft < 0) == (fa < 0)) {
            a = t, fa = ft;
            if (side == -1) fb /= 2;
            side = -1;
        } else {
            b = t, fb = ft;
            if (side == 1) fa /= 2;
            side = 1;
        }
    }
    return t;
}

struct Peak {
    UnixSeconds instant = 0;
    double value = 0;
};

// The largest value of f strictly between a and b, where f rises to one
// peak and falls, to within `within` seconds: Brent's method (golden
// sections, and parabolas through the last three points where they are
// trusted), R. P. Brent, "Algorithms for Minimization without Derivatives"
// (Prentice-Hall, 1973), chapter 5. Time is counted from a, so that the
// tolerance means seconds and not a fraction of an instant near 1.7e9.
template <typename F>
Peak PeakBetween(F f, UnixSeconds a, UnixSeconds b, double within) {
    const double golden = (3 - std::sqrt(5.0)) / 2;
    const auto g = [&](double s) { return -f(a + s); };  // a minimum of g
    double low = 0, high = b - a;
    double x = low + golden * (high - low), w = x, v = x;
    double gx = g(x), gw = gx, gv = gx;
    double step = 0, before = 0;  // the last step, and the one before it
    for (int i = 0; i < 100; ++i) {
        const double middle = (low + high) / 2;
        const double tolerance = within / 2;
        if (std::fabs(x - middle) <= 2 * tolerance - (high - low) / 2) break;
        bool parabola = false;
        if (std::fabs(before) > tolerance) {
            const double r = (x - w) * (gx - gv);
            double q = (x - v) * (gx - gw);
            double p = (x - v) * q - (x - w) * r;
            q = 2 * (q - r);
            if (q > 0) p = -p;
            q = std::fabs(q);
            // Within the bracket, and shorter than half the step before last.
            if (std::fabs(p) < std::fabs(q * before / 2) && p > q * (low - x) && p < q * (high - x)) {
                before = step;
                step = p / q;
                parabola = true;
                if (x + step - low < 2 * tolerance || high - (x + step) < 2 * tolerance)
                    step = x < middle ? tolerance : -tolerance;
            }
        }
        if (!parabola) {
            before = x < middle ? high - x : low - x;
            step = golden * before;
        }
        const double u = std::fabs(step) >= tolerance ? x + step : x + (step > 0 ? tolerance : -tolerance);
        const double gu = g(u);
        if (gu <= gx) {
            (u < x ? high : low) = x;
            v = w, gv = gw, w = x, gw = gx, x = u, gx = gu;
        } else {
            (u < x ? low : high) = u;
            if (gu <= gw || w == x) {
                v = w, gv = gw, w = u, gw = gu;
            } else if (gu <= gv || v == x || v == w) {
                v = u, gv = gu;
            }
        }
    }
    return {a + x, -gx};
}

}  // namespace azimora
