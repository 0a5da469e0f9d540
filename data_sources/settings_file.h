// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QSettings>
#include <QString>

#include <memory>

// The program's few settings (the download address), in the user's
// configuration folder: $XDG_CONFIG_HOME/azimora/azimora.conf. Qt reads that
// file whole and waits on whatever is there, so it is used only as a
// regular file of at most kMaxSettingsBytes (or while there is none): a FIFO
// would freeze the window, a huge file take its memory.
namespace azimora::sources {

inline constexpr qint64 kMaxSettingsBytes = 64 * 1024;

[[nodiscard]] QString SettingsFile();
// The settings, or null when the file is no such file (it is then neither
// read nor written; problem says why).
[[nodiscard]] std::unique_ptr<QSettings> OpenSettings(QString* problem = nullptr);

}  // namespace azimora::sources
