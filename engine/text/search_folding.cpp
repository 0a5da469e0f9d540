// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "text/search_folding.h"

#include <algorithm>

#include "text/search_folding_table.h"
#include "text/text_encoding.h"

namespace azimora {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The next character of a UTF-8 text; a byte that starts no well-formed
// sequence is U+FFFD and one byte long.
char32_t NextCharacter(std::string_view text, std::size_t& at) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t c = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, c = lead & 0x07;
    } else {
        ++at;
        return kReplacement;
    }
    if (at + length > text.size()) {
        ++at;
        return kReplacement;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80) {
            ++at;
            return kReplacement;
        }
        c = (c << 6) | (byte(k) & 0x3F);
    }
    // Overlong forms, surrogates and what lies beyond U+10FFFF are no characters.
    const char32_t lowest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < lowest[length] || (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) {
        ++at;
        return kReplacement;
    }
    at += length;
    return c;
}

// Hangul syllables into their jamo: the Unicode Standard, section 3.12
// (Conjoining Jamo Behavior), "Hangul Syllable Decomposition".
bool AppendHangul(std::string& out, char32_t c) {
    constexpr char32_t kSyllables = 0xAC00, kLeading = 0x1100, kVowels = 0x1161, kTrailing = 0x11A7;
    constexpr char32_t kVowelCount = 21, kTrailingCount = 28, kCount = 19 * kVowelCount * kTrailingCount;
    if (c < kSyllables || c >= kSyllables + kCount) return false;
    const char32_t index = c - kSyllables;
    AppendUtf8(out, kLeading + index / (kVowelCount * kTrailingCount));
    AppendUtf8(out, kVowels + index % (kVowelCount * kTrailingCount) / kTrailingCount);
    if (index % kTrailingCount != 0) AppendUtf8(out, kTrailing + index % kTrailingCount);
    return true;
}

// One character folded, appended.
void AppendFolded(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        return;
    }
    if (AppendHangul(out, c)) return;
    const auto& dropped = folding::kDropped;
    const auto range = std::upper_bound(dropped.begin(), dropped.end(), c,
                                        [](char32_t value, const auto& r) { return value < r[0]; });
    if (range != dropped.begin() && c <= (*std::prev(range))[1]) return;
    const auto& mapped = folding::kMapped;
    const auto found = std::lower_bound(mapped.begin(), mapped.end(), c);
    if (found == mapped.end() || *found != c) {
        AppendUtf8(out, c);
        return;
    }
    const std::uint16_t target = folding::kTargetOf[static_cast<std::size_t>(found - mapped.begin())];
    out.append(folding::kTargets + folding::kTargetStart[target], folding::kTargets + folding::kTargetStart[target + 1u]);
}

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

std::string FoldForSearch(std::string_view utf8) {
    std::string folded;
    folded.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) AppendFolded(folded, NextCharacter(utf8, at));
    // Blanks simplified: the table turned every separator into ' '.
    std::string simple;
    simple.reserve(folded.size());
    for (const char c : folded) {
        if (!IsBlank(c)) {
            simple += c;
        } else if (!simple.empty() && simple.back() != ' ') {
            simple += ' ';
        }
    }
    if (!simple.empty() && simple.back() == ' ') simple.pop_back();
    return simple;
}

}  // namespace azimora
