// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace azimora {

// Catalogue order of sibling texts, a word sort:
//  1. hyphens and apostrophes are passed over;
//  2. the remaining characters compare pairwise: blanks and punctuation
//     before digits, digits (one at a time, by value) before letters, letters
//     alphabetically regardless of case;
//  3. a text that runs out first, all else equal, comes first.
// Texts these rules leave equal are settled by their bytes, so the order is
// total and the same on every machine.
[[nodiscard]] bool CatalogueLess(std::string_view a, std::string_view b) noexcept;

}  // namespace azimora
