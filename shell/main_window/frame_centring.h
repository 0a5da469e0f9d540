// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace azimora::shell {

// Centres a top-level window's outer frame, title bar included, on its
// screen's available area. Until the window manager has framed the window
// Qt knows only its client size, so the window is centred by that at once
// and again by its frame as soon as the frame's extents
// (_NET_FRAME_EXTENTS) are known, within the first second after showing.
// Call it when the window is first shown.
void CentreFrameOnScreen(QWidget& window);

}  // namespace azimora::shell
