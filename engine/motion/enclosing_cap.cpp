// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "motion/enclosing_cap.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace azimora {
namespace {

// A direction counts as held within this much of the rim: rounding in the
// rim's own directions, far below the thousandth of a degree asked for.
constexpr double kRimTolerance = 1e-12;  // radians

bool Holds(const Cap& cap, Vector3 p) { return AngleBetween(cap.centre, p) <= cap.radius + kRimTolerance; }

Cap Through(Vector3 a, Vector3 b) {
    const Vector3 centre = Normalized(a + b);
    return {centre, std::max(AngleBetween(centre, a), AngleBetween(centre, b))};
}

// The circle through three directions; its centre on their side of the sphere.
Cap Through(Vector3 a, Vector3 b, Vector3 c) {
    Vector3 normal = Cross(b - a, c - a);
    const double length = Length(normal);
    // Three directions on one great circle: the widest pair spans the rest.
    if (!(length > 0)) {
        const Cap ab = Through(a, b), ac = Through(a, c), bc = Through(b, c);
        return ab.radius >= ac.radius && ab.radius >= bc.radius ? ab : ac.radius >= bc.radius ? ac : bc;
    }
    normal = (1 / length) * normal;
    if (Dot(normal, a) < 0) normal = -1.0 * normal;
    return {normal, std::max({AngleBetween(normal, a), AngleBetween(normal, b), AngleBetween(normal, c)})};
}

}  // namespace

double AngleBetween(Vector3 a, Vector3 b) { return std::atan2(Length(Cross(a, b)), Dot(a, b)); }

Cap SmallestEnclosingCap(std::span<const Vector3> directions) {
    if (directions.empty()) return {};
    // In a shuffled order the rim changes rarely (expected linear time); a
    // fixed seed gives the same cap on every run.
    std::vector<Vector3> p(directions.begin(), directions.end());
    std::shuffle(p.begin(), p.end(), std::mt19937(44));
    Cap cap{p[0], 0};
    for (std::size_t i = 1; i < p.size(); ++i) {
        if (Holds(cap, p[i])) continue;
        cap = {p[i], 0};
        for (std::size_t j = 0; j < i; ++j) {
            if (Holds(cap, p[j])) continue;
            cap = Through(p[i], p[j]);
            for (std::size_t k = 0; k < j; ++k)
                if (!Holds(cap, p[k])) cap = Through(p[i], p[j], p[k]);
        }
    }
    return cap;
}

}  // namespace azimora
