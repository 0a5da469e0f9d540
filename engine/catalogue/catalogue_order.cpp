// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "catalogue/catalogue_order.h"

#include <compare>

namespace azimora {
namespace {

// Sort weight of one character: its class first, then its value in the class.
enum class CharClass { Punctuation, Digit, Letter, Other };

struct SortKey {
    CharClass charClass;
    unsigned char value;
    auto operator<=>(const SortKey&) const = default;
};

bool IsPassedOver(char c) { return c == '-' || c == '\''; }

SortKey KeyOf(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= '0' && byte <= '9') return {CharClass::Digit, byte};
    if (byte >= 'a' && byte <= 'z') return {CharClass::Letter, static_cast<unsigned char>(byte - 'a' + 'A')};
    if (byte >= 'A' && byte <= 'Z') return {CharClass::Letter, byte};
    if (byte >= 0x80) return {CharClass::Other, byte};
    return {CharClass::Punctuation, byte};
}

std::weak_ordering CompareByRules(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (true) {
        while (i < a.size() && IsPassedOver(a[i])) ++i;
        while (j < b.size() && IsPassedOver(b[j])) ++j;
        if (i == a.size() || j == b.size()) return (a.size() - i) <=> (b.size() - j);
        if (const auto order = KeyOf(a[i]) <=> KeyOf(b[j]); order != 0) return order;
        ++i;
        ++j;
    }
}

}  // namespace

bool CatalogueLess(std::string_view a, std::string_view b) noexcept {
    const auto order = CompareByRules(a, b);
    if (order != 0) return order < 0;
    return a < b;
}

}  // namespace azimora
