// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The folding of names for search, which the window's Find Location and the
// phone's page share: the names installers type without their accents.
#include "text/search_folding.h"

#include <gtest/gtest.h>

#include "text/text_encoding.h"

namespace azimora {
namespace {

struct Folded {
    const char* text;
    const char* folded;
};

class SearchFolding : public ::testing::TestWithParam<Folded> {};

TEST_P(SearchFolding, NamesFoldAsTyped) { EXPECT_EQ(FoldForSearch(GetParam().text), GetParam().folded); }

INSTANTIATE_TEST_SUITE_P(
    Names, SearchFolding,
    ::testing::Values(
        // Accents: decomposed, the marks dropped.
        Folded{"Z\u00FCrich", "zurich"}, Folded{"ZURICH", "zurich"}, Folded{"S\u00E3o Paulo", "sao paulo"},
        Folded{"A Coru\u00F1a", "a coruna"}, Folded{"\u0160iauliai", "siauliai"},
        Folded{"Bra\u0219ov", "brasov"},  // s with comma below
        // Letters no decomposition takes apart (towns of libgweather's list).
        Folded{"Troms\u00F8", "tromso"}, Folded{"Bod\u00F8", "bodo"}, Folded{"\u0141\u00F3d\u017A", "lodz"},
        Folded{"Wroc\u0142aw", "wroclaw"}, Folded{"Fa\u00DFberg", "fassberg"}, Folded{"Stra\u00DFe", "strasse"},
        Folded{"\u00C6r\u00F8sk\u00F8bing", "aeroskobing"}, Folded{"\u0152uvre", "oeuvre"},
        Folded{"\u0110akovo", "dakovo"}, Folded{"D\u0131yarbak\u0131r", "diyarbakir"},
        Folded{"\u0130zmir", "izmir"},  // capital I with dot: its dot is a mark
        Folded{"Egilssta\u00F0ir", "egilsstadir"}, Folded{"\u00DE\u00F3rsh\u00F6fn", "thorshofn"},
        Folded{"\u0126amrun", "hamrun"},
        // Compatibility forms: a phone's full-width letters, ligatures, Greek's final sigma.
        Folded{"\uFF34\uFF4F\uFF4B\uFF59\uFF4F", "tokyo"}, Folded{"\uFB01ngal", "fingal"},
        Folded{"\u039F\u0394\u03A5\u03A3\u03A3\u0395\u03A5\u03A3", "\u03BF\u03B4\u03C5\u03C3\u03C3\u03B5\u03C5\u03C3"},
        Folded{"\u03BF\u03B4\u03C5\u03C3\u03C3\u03B5\u03C5\u03C2", "\u03BF\u03B4\u03C5\u03C3\u03C3\u03B5\u03C5\u03C3"},
        Folded{"\u041C\u043E\u0441\u043A\u0432\u0430", "\u043C\u043E\u0441\u043A\u0432\u0430"},
        Folded{"\u0419\u043E\u0448\u043A\u0430\u0440-\u041E\u043B\u0430",  // Й: И and a breve
               "\u0438\u043E\u0448\u043A\u0430\u0440-\u043E\u043B\u0430"},
        // Hangul syllables into their jamo (the Unicode Standard, 3.12): 서울, a query of its first jamo finds it.
        Folded{"\uC11C\uC6B8", "\u1109\u1165\u110B\u116E\u11AF"},
        // Blanks: any separator, runs of them one, none at the ends; punctuation kept.
        Folded{"  S\u00E3o   PAULO ", "sao paulo"}, Folded{"St.\u00A0John's", "st. john's"},
        Folded{"New\u3000York\tCity", "new york city"}, Folded{"", ""}, Folded{" \u2003 ", ""},
        // Bytes that are no UTF-8 stand for U+FFFD; an overlong form and a surrogate too.
        Folded{"a\xFF" "b", "a\uFFFD" "b"}, Folded{"\xC0\xAF", "\uFFFD\uFFFD"}, Folded{"\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD"},
        Folded{"\xE2\x82", "\uFFFD\uFFFD"}));

// Folding what is folded changes nothing, for every character: a key and a
// query folded once or twice meet alike.
TEST(SearchFoldingTable, FoldingTwiceIsFoldingOnce) {
    for (char32_t c = 1; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c < 0xE000) continue;
        std::string text;
        AppendUtf8(text, c);
        const std::string once = FoldForSearch(text);
        ASSERT_EQ(FoldForSearch(once), once) << "U+" << std::hex << static_cast<unsigned>(c);
        ASSERT_TRUE(IsValidUtf8(once)) << "U+" << std::hex << static_cast<unsigned>(c);
    }
}

}  // namespace
}  // namespace azimora
