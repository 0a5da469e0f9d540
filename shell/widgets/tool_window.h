// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

// The placement of windows has a folder of its own now; this old name is
// kept only while main_window.cpp and installation_details_window.h, which
// another change is reworking, still include it. Include
// "placement/tool_window.h" instead.
#include "placement/tool_window.h"
