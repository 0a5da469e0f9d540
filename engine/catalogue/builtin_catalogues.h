// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "catalogue/catalogue.h"

namespace azimora {

// The two catalogues with their built-in content, in catalogue order.
// 101 satellites (roots only); 298 places under six roots, the last one
// "USER DEFINED", empty, for the user's own locations.
[[nodiscard]] std::unique_ptr<Catalogue> BuiltInSatelliteCatalogue();
[[nodiscard]] std::unique_ptr<Catalogue> BuiltInLocationCatalogue();

inline constexpr const char* kUserDefinedText = "USER DEFINED";

}  // namespace azimora
