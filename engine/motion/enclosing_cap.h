// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <span>

#include "geometry/vector3.h"

// The smallest cap of the sphere that holds a set of directions: the one
// direction whose largest angle to any of them is least (the best place to
// aim a fixed dish at a satellite that moves among them).
namespace azimora {

struct Cap {
    Vector3 centre;      // unit vector
    double radius = 0;   // radians: the largest angle from the centre to a direction of the set
};

// Welzl's algorithm on the sphere (E. Welzl, "Smallest enclosing disks
// (balls and ellipsoids)", LNCS 555, 1991): the cap is fixed by two or
// three of the directions on its rim. The directions must be unit vectors
// within one open hemisphere (a satellite's day seen from one site spans a
// few degrees, at most some tens); an empty set gives a cap of radius 0
// around no direction.
[[nodiscard]] Cap SmallestEnclosingCap(std::span<const Vector3> directions);

// The angle between two unit vectors, radians, accurate for small angles
// too (where the arc cosine of their product is not).
[[nodiscard]] double AngleBetween(Vector3 a, Vector3 b);

}  // namespace azimora
