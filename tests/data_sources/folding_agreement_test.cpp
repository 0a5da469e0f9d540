// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The engine's folding of names, made from Python's Unicode tables, against
// Qt's own (NFKD, case folding, the marks' categories): the window's search
// folds names as the desktop always did, on every character and on every
// town of libgweather's list.
#include <gtest/gtest.h>

#include <QFile>
#include <QString>

#include "gweather_locations.h"
#include "text/search_folding.h"

namespace azimora {
namespace {

// The folding as the window's search did it with Qt before the engine had
// one of its own, by whole characters (it took the halves of a surrogate
// pair one by one, and kept the marks beyond the Basic Multilingual Plane).
std::string QtFolding(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_KD).toCaseFolded();
    QString folded;
    for (const char32_t c : decomposed.toUcs4()) {
        if (QChar::category(c) == QChar::Mark_NonSpacing) continue;
        switch (c) {
            case U'\u00DF': folded += QStringLiteral("ss"); break;
            case U'\u00E6': folded += QStringLiteral("ae"); break;
            case U'\u0153': folded += QStringLiteral("oe"); break;
            case U'\u00F8': folded += u'o'; break;
            case U'\u0142': folded += u'l'; break;
            case U'\u0111': folded += u'd'; break;
            case U'\u0131': folded += u'i'; break;
            case U'\u0127': folded += u'h'; break;
            case U'\u00F0': folded += u'd'; break;
            case U'\u00FE': folded += QStringLiteral("th"); break;
            default: folded += QString::fromUcs4(&c, 1);
        }
    }
    return folded.simplified().toStdString();
}

TEST(FoldingAgreement, EveryCharacterFoldsAsQtFoldsIt) {
    int differ = 0;
    for (char32_t c = 1; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c < 0xE000) continue;
        const QString text = QString::fromUcs4(&c, 1);
        const std::string expected = QtFolding(text);
        const std::string folded = FoldForSearch(text.toStdString());
        if (folded != expected && ++differ <= 20)
            ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(c) << ": " << folded << " (Qt: " << expected << ")";
    }
    EXPECT_EQ(differ, 0);
}

TEST(FoldingAgreement, EveryTownOfLibgweatherFoldsAsQtFoldsIt) {
    if (!QFile::exists(sources::kGWeatherLocations)) GTEST_SKIP() << "libgweather-4-common is not installed";
    const std::vector<Place> towns = sources::ReadGWeatherCities();
    ASSERT_GT(towns.size(), 4000u);
    for (const Place& town : towns) EXPECT_EQ(town.key, QtFolding(QString::fromStdString(town.name))) << town.name;
}

}  // namespace
}  // namespace azimora
