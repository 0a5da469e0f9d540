// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "text/coordinate_text.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "text/float_chars.h"
#include "text/number_text.h"

namespace azimora {
namespace {

// How a comma between two digits reads: as the parting of latitude and
// longitude, or as a decimal point. A comma anywhere else always parts.
enum class Comma { Parts, DecimalPoint };

struct Token {
    enum Kind { Number, Hemisphere, Separator } kind;
    double value = 0;
    char hemisphere = 0;  // N, S, E, W
    bool negative = false;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Degree, minute and second marks, as typed and as phones' keyboards curl
// them, and the no-break space: each counts as a blank. Their UTF-8 lengths.
std::size_t MarkLength(std::string_view rest) {
    static constexpr std::array<std::string_view, 7> kMarks = {
        "\xC2\xB0",      // ° degree
        "\xC2\xBA",      // º ordinal, typed for a degree
        "\xC2\xA0",      // no-break space
        "\xE2\x80\xB2",  // ′ prime
        "\xE2\x80\xB3",  // ″ double prime
        "\xE2\x80\x99",  // ’ a curled minute mark
        "\xE2\x80\x9D",  // ” a curled second mark
    };
    for (const std::string_view mark : kMarks)
        if (rest.starts_with(mark)) return mark.size();
    const char c = rest.front();
    return c == ' ' || c == '\t' || c == '\'' || c == '"' || c == ':' ? 1 : 0;
}

constexpr std::string_view kMinusSign = "\xE2\x88\x92";  // − U+2212

std::optional<std::vector<Token>> Tokens(std::string_view text, Comma comma) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (const std::size_t mark = MarkLength(text.substr(i)); mark > 0) {
            i += mark;
            continue;
        }
        if (c == ',' || c == ';' || c == '/') {
            tokens.push_back({Token::Separator});
            ++i;
            continue;
        }
        if (std::string_view("NSEWnsew").find(c) != std::string_view::npos) {
            tokens.push_back({Token::Hemisphere, 0, static_cast<char>(std::toupper(static_cast<unsigned char>(c)))});
            ++i;
            continue;
        }
        Token token{Token::Number};
        if (c == '-' || c == '+') {
            token.negative = c == '-';
            ++i;
        } else if (text.substr(i).starts_with(kMinusSign)) {
            token.negative = true;
            i += kMinusSign.size();
        }
        // Digits, one decimal point (a comma too, between digits, where it
        // may be one), digits.
        std::string number;
        bool point = false;
        for (; i < text.size(); ++i) {
            const char d = text[i];
            const bool decimalComma = d == ',' && comma == Comma::DecimalPoint && !number.empty() &&
                                      IsDigit(number.back()) && i + 1 < text.size() && IsDigit(text[i + 1]);
            if (IsDigit(d)) {
                number += d;
            } else if ((d == '.' || decimalComma) && !point) {
                number += '.';
                point = true;
            } else {
                break;
            }
        }
        if (number.find_first_of("0123456789") == std::string::npos) return std::nullopt;
        if (i < text.size() && text[i] == '.') return std::nullopt;  // a second point
        const auto [stop, error] = FloatFromChars(number.data(), number.data() + number.size(), token.value);
        if (error != std::errc() || stop != number.data() + number.size()) return std::nullopt;
        tokens.push_back(token);
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

std::optional<GeoCoordinates> CoordinatesOf(std::string_view text, Comma comma) {
    const auto tokens = Tokens(text, comma);
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

// The sign a hemisphere letter gives: N and W keep it, S and E turn it.
double SignOf(char letter) { return letter == 'S' || letter == 'E' ? -1 : 1; }

// A number with at most a letter after it, as the calculator has always
// read angles: "54.6N", "-5.9E", "1e5E".
std::optional<double> PlainAngle(std::string_view text, std::string_view letters) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    double sign = 1;
    if (!text.empty()) {
        const char last = static_cast<char>(std::toupper(static_cast<unsigned char>(text.back())));
        if (last == letters[0] || last == letters[1]) {
            sign = SignOf(last);
            text.remove_suffix(1);
            if (text.empty() || text.back() == '+' || text.back() == '-') return std::nullopt;
        }
    }
    const auto number = ParseNumber(text);
    if (!number || !std::isfinite(static_cast<double>(*number))) return std::nullopt;
    return sign * static_cast<double>(*number);
}

// Degrees, minutes and seconds with their marks or blanks, a decimal
// comma, a letter before or after.
std::optional<double> MarkedAngle(std::string_view text, std::string_view letters) {
    const auto tokens = Tokens(text, Comma::DecimalPoint);
    if (!tokens || tokens->empty()) return std::nullopt;
    std::vector<Token> numbers;
    char letter = 0;
    for (std::size_t k = 0; k < tokens->size(); ++k) {
        const Token& token = (*tokens)[k];
        if (token.kind == Token::Separator) return std::nullopt;
        if (token.kind == Token::Hemisphere) {
            const bool atAnEnd = k == 0 || k + 1 == tokens->size();
            if (letter != 0 || !atAnEnd || letters.find(token.hemisphere) == std::string_view::npos) return std::nullopt;
            letter = token.hemisphere;
        } else {
            numbers.push_back(token);
        }
    }
    const auto degrees = Angle(numbers);
    if (!degrees) return std::nullopt;
    return SignOf(letter) * *degrees;
}

}  // namespace

std::optional<GeoCoordinates> ParseCoordinates(std::string_view text) {
    if (const auto place = CoordinatesOf(text, Comma::Parts)) return place;
    return CoordinatesOf(text, Comma::DecimalPoint);
}

std::optional<double> ParseAngle(std::string_view text, std::string_view letters) {
    if (const auto plain = PlainAngle(text, letters)) return plain;
    return MarkedAngle(text, letters);
}

}  // namespace azimora
