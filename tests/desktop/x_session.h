// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>

// The X server the desktop tests run on, seen through the usual X tools
// (xdotool, xwininfo, xprop, wmctrl, ImageMagick's import).
namespace azimora::desktop {

// Standard output of a command; nullopt when it fails to run or exits non-zero.
[[nodiscard]] std::optional<QString> RunTool(const QString& program, const QStringList& arguments);

// Ids of the mapped windows whose title matches the regular expression.
[[nodiscard]] QStringList VisibleWindows(const QString& titlePattern);

// A window's place on the screen.
[[nodiscard]] std::optional<QRect> WindowGeometry(const QString& id);

// The outer frame of a window: its place grown by the frame the window
// manager put around it (_NET_FRAME_EXTENTS); nullopt before it is framed.
[[nodiscard]] std::optional<QRect> FrameGeometry(const QString& id);

// A property of a window as xprop prints it ("WM_CLASS(STRING) = ...").
[[nodiscard]] QString WindowProperty(const QString& id, const QString& property);

// Asks the window manager to close the window, as its close button does.
bool CloseWindow(const QString& id);

[[nodiscard]] QImage Screenshot();

}  // namespace azimora::desktop
