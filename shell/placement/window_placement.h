// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QMargins>
#include <QRect>

#include <functional>

class QWidget;

// Placing a top-level window so that the place holds. Qt knows a window's
// frame (title bar, borders) only after the window manager has framed it,
// which on a busy machine can be seconds after the window is shown, and
// until then Qt's own frame geometry mixes old and new answers. So a window
// is placed at once by the best guess of its frame (that of another framed
// window of the program), and placed again from its client size and its own
// frame's extents as they arrive, until the window manager has put it there.
namespace azimora::shell {

// Where the client area goes, given its size now, the frame's extents and
// the screen's available area; it may make the size smaller to fit.
using Placement = std::function<QRect(QSize size, QMargins frame, QRect available)>;

// Places window now and again whenever its frame or size changes, until the
// window stands where placement says (or 30 s have passed with no window
// manager answering). Call it when the window is first shown, at the size it
// is shown at; after that the window is the user's to move. done, if given,
// is called then.
void KeepPlaced(QWidget& window, Placement placement, std::function<void()> done = {});

// A dialog kept whole on its screen: its size cut to the available area,
// frame included, and moved in where it would reach past an edge; where it
// fits it stays where Qt put it (over its parent). Call it when it is first
// shown.
void KeepWithinScreen(QWidget& window);

// Centres a top-level window's outer frame, title bar included, on its
// screen's available area.
void CentreFrameOnScreen(QWidget& window);

// The client area of size client whose frame is centred in available.
[[nodiscard]] QRect CentredClient(QSize client, QMargins frame, const QRect& available);

// The frame's extents of a shown top-level window; none before the window
// manager has framed it (or while what Qt reads of it makes no sense), or
// without a window manager.
[[nodiscard]] QMargins FrameExtents(const QWidget& window);

}  // namespace azimora::shell
