// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "placement/on_screen_dialog.h"

#include "placement/window_placement.h"

namespace azimora::shell {

void OnScreenDialog::showEvent(QShowEvent* event) {
    // After Qt has put it over its parent, which the check keeps where it fits.
    QDialog::showEvent(event);
    if (placed_) return;
    placed_ = true;
    KeepWithinScreen(*this);
}

}  // namespace azimora::shell
