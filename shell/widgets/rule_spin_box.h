// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QDoubleSpinBox>

#include "report/input_rules.h"

// A number box that takes what the engine's input rule takes (its range,
// its decimals, its step), with '.' as the decimal point as in every other
// box of the windows, so that the windows, azimora-calc and the page
// accept the same entries. Where 0 stands for "the usual value" (the focal
// length), the box starts at 0 instead of the rule's lowest.
namespace azimora::shell {

void FollowInputRule(QDoubleSpinBox& box, const InputRule& rule, bool zeroForTheUsual = false);

}  // namespace azimora::shell
