// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "query_fields.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "errors.h"
#include "formats/page_link.h"
#include "text/json_reader.h"
#include "text/number_text.h"

namespace azimora::web {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// application/x-www-form-urlencoded's decoding (the WHATWG URL Standard,
// "percent-decode"): '+' a blank, %XX a byte, anything else as written.
std::string Decoded(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The fields the page sends, by the keys of their rules.
constexpr std::array<std::string_view, 11> kPageKeys = {"lat",    "lon", "sat", "second",   "dish",
                                                       "freq",   "offset", "alt", "focal", "landmark",
                                                       "landmark_elevation"};

// West positive to the half-open range (-180, 180], as the address writes
// it: a satellite at 291.5 W is at 68.5 E.
double WithinHalfTurn(double west) {
    double turned = std::fmod(west, 360.0);
    if (turned > 180) turned -= 360;
    if (turned <= -180) turned += 360;
    return turned;
}

}  // namespace

std::string Field(std::string_view query, std::string_view key) {
    while (!query.empty()) {
        const std::size_t end = std::min(query.find('&'), query.size());
        const std::string_view pair = query.substr(0, end);
        const std::size_t equals = pair.find('=');
        if (equals != std::string_view::npos && pair.substr(0, equals) == key) return Decoded(pair.substr(equals + 1));
        query.remove_prefix(std::min(end + 1, query.size()));
    }
    return {};
}

const InputRule& RuleOf(std::string_view key) {
    const InputRule* rule = InputRuleByKey(key);
    if (rule == nullptr || std::find(kPageKeys.begin(), kPageKeys.end(), key) == kPageKeys.end())
        throw Error("No field '" + std::string(key) + "'");
    return *rule;
}

double FieldOr(std::string_view query, std::string_view key, double fallback) {
    const InputRule& rule = RuleOf(key);
    const std::string text = Field(query, key);
    if (!text.empty()) return ReadInput(rule, text);
    if (rule.kind != InputKind::Number) throw Error(MissingInputMessage(rule));
    return rule.fallback.value_or(fallback);
}

std::string ReadFieldsJson(std::string_view query) {
    std::string json = "{";
    for (const std::string_view key : kPageKeys) {
        const InputRule& rule = RuleOf(key);
        const std::string text = Field(query, key);
        if (text.empty()) continue;
        json += std::string(json.size() > 1 ? ", " : "") + JsonQuoted(key) + ": ";
        try {
            const double value = ReadInput(rule, text);
            const std::string link = rule.kind == InputKind::Latitude    ? LinkAngle(value, 'N', 'S')
                                     : rule.kind == InputKind::Longitude ? LinkAngle(WithinHalfTurn(value), 'W', 'E')
                                                                         : FormatGeneral(value);
            json += "{\"value\": " + JsonNumber(value) + ", \"link\": " + JsonQuoted(link) + "}";
        } catch (const Error& error) {
            json += "{\"error\": " + JsonQuoted(error.what()) + "}";
        }
    }
    return json + "}";
}

}  // namespace azimora::web
