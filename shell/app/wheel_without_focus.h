// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

class QApplication;

// A spin box or a combo box changes with the mouse wheel only once it has
// the focus: a wheel turned over one while scrolling a pane scrolls the
// pane, as the user meant, and leaves the number as it was. For every
// window of the application.
namespace azimora::shell {

void WheelOnlyWithFocus(QApplication& application);

}  // namespace azimora::shell
