// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "assistant/window_places.h"

#include "settings_file.h"

namespace azimora::shell {

RememberedPlace PlaceInSettings(const QString& windowName) {
    const QString key = QStringLiteral("windows/%1").arg(windowName);
    return {[key]() -> std::optional<QRect> {
                const auto settings = sources::OpenSettings();
                if (!settings) return std::nullopt;
                const QRect place = settings->value(key).toRect();
                return place.isValid() ? std::optional<QRect>(place) : std::nullopt;
            },
            [key](const QRect& place) {
                if (const auto settings = sources::OpenSettings()) settings->setValue(key, place);
            }};
}

}  // namespace azimora::shell
