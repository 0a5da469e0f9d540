// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "placement/tool_window.h"

// Where the user last put each tool window, kept in the program's settings
// from one run to the next (windows/<name>).
namespace azimora::shell {

[[nodiscard]] RememberedPlace PlaceInSettings(const QString& windowName);

}  // namespace azimora::shell
