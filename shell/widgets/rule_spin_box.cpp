// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "widgets/rule_spin_box.h"

#include <QLocale>

namespace azimora::shell {

void FollowInputRule(QDoubleSpinBox& box, const InputRule& rule, bool zeroForTheUsual) {
    box.setLocale(QLocale::c());
    box.setDecimals(rule.decimals);
    box.setRange(zeroForTheUsual ? 0.0 : rule.lowest, rule.highest);
    box.setSingleStep(rule.step);
}

}  // namespace azimora::shell
