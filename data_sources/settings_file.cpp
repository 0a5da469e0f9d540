// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "settings_file.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace azimora::sources {

QString SettingsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/azimora/azimora.conf");
}

std::unique_ptr<QSettings> OpenSettings(QString* problem) {
    const QString file = SettingsFile();
    const QFileInfo info(file);  // a link counts as what it points at
    if (info.exists() && (!info.isFile() || info.size() > kMaxSettingsBytes)) {
        if (problem != nullptr)
            *problem = QStringLiteral("%1 is no settings file (not a regular file of at most 64 KB): it is left alone")
                           .arg(file);
        return nullptr;
    }
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

}  // namespace azimora::sources
