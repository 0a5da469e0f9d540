// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "geometry/dish_setup.h"

#include <cmath>

#include "geometry/vector3.h"

namespace azimora {

ObstacleCheck CheckObstacle(double dishElevation, double heightMetres, double distanceMetres) {
    ObstacleCheck check;
    check.obstacleElevation = Degrees(std::atan2(heightMetres, distanceMetres));
    check.margin = dishElevation - check.obstacleElevation;
    check.clear = check.margin > 0;
    return check;
}

}  // namespace azimora
