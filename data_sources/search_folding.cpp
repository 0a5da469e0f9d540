// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "search_folding.h"

namespace azimora::sources {

std::string FoldForSearch(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_KD).toCaseFolded();
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing) continue;
        // Letters that no decomposition takes apart.
        switch (c.unicode()) {
            case u'\u00DF': folded += QStringLiteral("ss"); break;  // ß
            case u'\u00E6': folded += QStringLiteral("ae"); break;  // æ
            case u'\u0153': folded += QStringLiteral("oe"); break;  // œ
            case u'\u00F8': folded += u'o'; break;                   // ø
            case u'\u0142': folded += u'l'; break;                   // ł
            case u'\u0111': folded += u'd'; break;                   // đ
            case u'\u0131': folded += u'i'; break;                   // dotless ı
            default: folded += c;
        }
    }
    return folded.simplified().toStdString();
}

}  // namespace azimora::sources
