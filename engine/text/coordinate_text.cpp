// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "text/coordinate_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "text/number_text.h"
#include "text/float_chars.h"

namespace azimora {
namespace {

struct Token {
    enum Kind { Number, Hemisphere, Separator } kind;
    double value = 0;
    char hemisphere = 0;  // N, S, E, W
    bool negative = false;
};

// Degree, minute and second marks (° ' " ′ ″ º) count as blanks.
std::optional<std::vector<Token>> Tokens(std::string_view text) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == ' ' || c == '\t' || c == '\'' || c == '"' || c == ':') {
            ++i;
        } else if (text.substr(i).starts_with("\xC2\xB0") || text.substr(i).starts_with("\xC2\xBA")) {
            i += 2;  // ° º
        } else if (text.substr(i).starts_with("\xE2\x80\xB2") || text.substr(i).starts_with("\xE2\x80\xB3")) {
            i += 3;  // ′ ″
        } else if (c == ',' || c == ';' || c == '/') {
            tokens.push_back({Token::Separator});
            ++i;
        } else if (std::string_view("NSEWnsew").find(static_cast<char>(c)) != std::string_view::npos) {
            tokens.push_back({Token::Hemisphere, 0, static_cast<char>(std::toupper(c))});
            ++i;
        } else if ((c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.') {
            Token token{Token::Number};
            if (c == '-' || c == '+') {
                token.negative = c == '-';
                ++i;
            }
            std::size_t end = i;
            while (end < text.size() && ((text[end] >= '0' && text[end] <= '9') || text[end] == '.')) ++end;
            const auto [stop, error] = FloatFromChars(text.data() + i, text.data() + end, token.value);
            if (error != std::errc() || stop != text.data() + end) return std::nullopt;
            tokens.push_back(token);
            i = end;
        } else {
            return std::nullopt;
        }
    }
    return tokens;
}

// Degrees, minutes and seconds into degrees; minutes and seconds below 60.
std::optional<double> Angle(const std::vector<Token>& numbers) {
    if (numbers.empty() || numbers.size() > 3) return std::nullopt;
    double degrees = 0;
    double unit = 1;
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        if (k > 0 && (numbers[k].negative || numbers[k].value >= 60)) return std::nullopt;
        degrees += numbers[k].value * unit;
        unit /= 60;
    }
    return numbers.front().negative ? -degrees : degrees;
}

struct Half {
    std::vector<Token> numbers;
    char hemisphere = 0;
};

}  // namespace

std::optional<GeoCoordinates> ParseCoordinates(std::string_view text) {
    const auto tokens = Tokens(text);
    if (!tokens) return std::nullopt;
    // Two halves, each numbers with at most one hemisphere letter before or after.
    std::vector<Half> halves(1);
    for (const Token& token : *tokens) {
        Half& half = halves.back();
        const bool empty = half.numbers.empty() && half.hemisphere == 0;
        if (token.kind == Token::Separator) {
            // After a closing letter the next half has begun already.
            if (empty && halves.size() == 1) return std::nullopt;
            if (!empty) halves.emplace_back();
        } else if (token.kind == Token::Hemisphere) {
            if (half.hemisphere == 0) {
                half.hemisphere = token.hemisphere;
                // A letter after the numbers closes its half.
                if (!half.numbers.empty()) halves.emplace_back();
            } else if (!half.numbers.empty()) {
                halves.push_back({{}, token.hemisphere});  // a letter before the numbers opens the next
            } else {
                return std::nullopt;  // two letters in a row
            }
        } else {
            half.numbers.push_back(token);
        }
    }
    if (halves.back().numbers.empty() && halves.back().hemisphere == 0) halves.pop_back();
    // Without letters or separators: two plain numbers.
    if (halves.size() == 1 && halves[0].hemisphere == 0 && halves[0].numbers.size() == 2) {
        halves = {Half{{halves[0].numbers[0]}, 0}, Half{{halves[0].numbers[1]}, 0}};
    }
    if (halves.size() != 2) return std::nullopt;
    const auto latitude = Angle(halves[0].numbers);
    const auto longitude = Angle(halves[1].numbers);
    if (!latitude || !longitude) return std::nullopt;
    const char latitudeSide = halves[0].hemisphere, longitudeSide = halves[1].hemisphere;
    if ((latitudeSide != 0 && latitudeSide != 'N' && latitudeSide != 'S') ||
        (longitudeSide != 0 && longitudeSide != 'E' && longitudeSide != 'W'))
        return std::nullopt;
    if ((latitudeSide != 0 && *latitude < 0) || (longitudeSide != 0 && *longitude < 0)) return std::nullopt;
    GeoCoordinates place;
    place.latitude = latitudeSide == 'S' ? -*latitude : *latitude;
    // Signed decimals are east positive, as on maps; the window wants west positive.
    place.longitudeWest = longitudeSide == 'W' ? *longitude : -*longitude;
    if (std::fabs(place.latitude) > 90 || std::fabs(place.longitudeWest) > 180) return std::nullopt;
    return place;
}

std::optional<double> ParseAngle(std::string_view text, std::string_view letters) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    double sign = 1;
    if (!text.empty()) {
        const char last = static_cast<char>(std::toupper(static_cast<unsigned char>(text.back())));
        if (last == letters[0] || last == letters[1]) {
            // N and W keep the sign; S and E turn it.
            sign = (last == 'S' || last == 'E') ? -1 : 1;
            text.remove_suffix(1);
            if (text.empty() || text.back() == '+' || text.back() == '-') return std::nullopt;
        }
    }
    const auto number = ParseNumber(text);
    if (!number || !std::isfinite(static_cast<double>(*number))) return std::nullopt;
    return sign * static_cast<double>(*number);
}

}  // namespace azimora
