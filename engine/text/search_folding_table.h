// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>

// The table behind FoldForSearch (text/search_folding.h), generated from the
// Unicode Character Database by scripts/make-search-folding.py. Characters
// below U+0080 and Hangul syllables are not in it: the code folds those.
namespace azimora::folding {

// Ranges of characters that fold to nothing (the non-spacing marks), ascending.
extern const std::array<std::array<char32_t, 2>, 338> kDropped;
// The characters that fold to other text, ascending, and the text each folds
// to: kTargets from kTargetStart[kTargetOf[i]] to kTargetStart[kTargetOf[i] + 1].
extern const std::array<char32_t, 6745> kMapped;
extern const std::array<std::uint16_t, 6745> kTargetOf;
extern const std::array<std::uint16_t, 3528> kTargetStart;
extern const char kTargets[];

}  // namespace azimora::folding
