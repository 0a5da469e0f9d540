// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Azimuths and bearings as the windows show them: due north is 0, never
// 360, however the value rounds.
#include <gtest/gtest.h>

#include "widgets/angle_text.h"

namespace azimora::shell {
namespace {

TEST(AngleText, DueNorthIsZero) {
    const struct {
        double degrees;
        int decimals;
        const char* shown;
    } cases[] = {
        {0, 1, "0.0"},         {360, 1, "0.0"},      {359.96, 1, "0.0"},     {359.94, 1, "359.9"},
        {-0.01, 1, "0.0"},     {-0.06, 1, "359.9"},  {359.996, 2, "0.00"},   {359.994, 2, "359.99"},
        {720.5, 1, "0.5"},     {171.306, 2, "171.31"}, {180, 0, "180"},      {359.6, 0, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AzimuthText(c.degrees, c.decimals), QString::fromLatin1(c.shown) + QStringLiteral("\u00B0"))
            << c.degrees << " at " << c.decimals;
}

}  // namespace
}  // namespace azimora::shell
