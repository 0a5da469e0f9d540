// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "catalogue/catalogue_order.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace azimora {
namespace {

using Pair = std::pair<const char*, const char*>;

class CatalogueOrderPair : public ::testing::TestWithParam<Pair> {};

TEST_P(CatalogueOrderPair, FirstComesBeforeSecond) {
    const auto& [first, second] = GetParam();
    EXPECT_TRUE(CatalogueLess(first, second)) << first << " < " << second;
    EXPECT_FALSE(CatalogueLess(second, first)) << second << " < " << first;
}

INSTANTIATE_TEST_SUITE_P(
    BuiltInExamples, CatalogueOrderPair,
    ::testing::Values(
        // Hyphens are passed over.
        Pair{"Gorizont 26", "G-star 2"}, Pair{"SBS2", "SBS-4"},
        // The space then meets a letter or a digit and comes first.
        Pair{"Brasilsat B3", "Brasilsat-A1"}, Pair{"PAS 22", "PAS-1"},
        // Case does not count.
        Pair{"Galaxy XI", "GE-1"}, Pair{"Nimiq - Bell ExpressVu (Canada)", "NSS 803"}, Pair{"Satmex 5", "SBS2"},
        Pair{"Satcom c1", "Satcom C3"}, Pair{"Satcom C3", "Satcom C4"}, Pair{"Satcom C4", "SatCom C5"},
        // Digits before letters, punctuation before letters, digit by digit.
        Pair{"Galaxy 7", "Galaxy III-R - DTV Ethnics"},
        Pair{"Echostar I/II - Dish Network (English)", "Echostar III - Dish Network (Foreign)"},
        Pair{"Telstar 303", "Telstar 4"},
        // The shorter text first.
        Pair{"PAS-6", "PAS-6B"}, Pair{"WASHINGTON", "WASHINGTON D.C."}, Pair{"Sydney", "Sydney Mines"},
        // Apostrophes are passed over like hyphens.
        Pair{"Clarks Harbour", "Clark's Harbourx"}, Pair{"Saint Johns", "Saint John's X"}));

INSTANTIATE_TEST_SUITE_P(
    TieBreaks, CatalogueOrderPair,
    ::testing::Values(
        // Equal under the rules: settled by the bytes, upper case first.
        Pair{"ABC", "abc"}, Pair{"A-B", "AB"}, Pair{"A'B", "AB"},
        // Punctuation among itself by character code; non-ASCII after letters.
        Pair{"A B", "A.B"}, Pair{"Zurich", "\xC3\x9C" "ber"}));

TEST(CatalogueOrder, IsIrreflexive) {
    for (const char* text : {"", "-", "Anik E1", "a-b", "\xC3\xA9"}) EXPECT_FALSE(CatalogueLess(text, text)) << text;
}

}  // namespace
}  // namespace azimora
