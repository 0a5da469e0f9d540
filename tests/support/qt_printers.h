// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <ostream>

// Readable GoogleTest messages for Qt values.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* out) {
    *out << '{' << list.join(QStringLiteral(", ")).toStdString() << '}';
}
inline void PrintTo(const QRect& r, std::ostream* out) {
    *out << '(' << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ')';
}
