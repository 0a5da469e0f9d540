// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "query_fields.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "calc_report.h"
#include "errors.h"
#include "formats/page_link.h"
#include "geometry/earth_model.h"
#include "text/coordinate_text.h"
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

constexpr std::array kRules = {
    FieldRule{"lat", "latitude", "NS", -90, 90},
    FieldRule{"lon", "longitude", "EW", -180, 360},
    FieldRule{"sat", "satellite's longitude", "EW", -180, 360},
    FieldRule{"second", "second satellite's longitude", "EW", -180, 360},
    FieldRule{"dish", "dish diameter", "", 0.05, 20},
    FieldRule{"freq", "frequency", "", 1, 40},
    FieldRule{"offset", "offset angle", "", 0, 45},
    FieldRule{"alt", "height", "", kLowestSiteAltitudeKm, kHighestSiteAltitudeKm},
    FieldRule{"focal", "focal length", "", 10, 10000},
    FieldRule{"landmark", "landmark's bearing", "", 0, 360},
    FieldRule{"landmark_elevation", "landmark's elevation", "", -90, 90},
};

// The examples a refusal offers, in the field's own kind.
const char* Examples(std::string_view letters) {
    return letters == "NS" ? "54.6N, 54 36 N or 54\u00B036'N" : "5.9W, 5 54 W or 19.2E";
}

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

const FieldRule& RuleOf(std::string_view key) {
    for (const FieldRule& rule : kRules)
        if (rule.key == key) return rule;
    throw Error("No field '" + std::string(key) + "'");
}

double ReadField(const FieldRule& rule, const std::string& text) {
    const std::string range = FormatGeneral(rule.lowest) + " to " + FormatGeneral(rule.highest);
    if (!rule.letters.empty()) {
        const auto value = ParseAngle(text, rule.letters);
        if (!value) throw Error(std::string("The ") + rule.what + " '" + text + "' is no angle: type it as " + Examples(rule.letters));
        if (*value < rule.lowest || *value > rule.highest)
            throw Error(std::string("The ") + rule.what + " '" + text + "' lies outside " + range);
        return *value;
    }
    const auto value = ParseTypedNumber(text);
    if (!value || !(*value >= rule.lowest && *value <= rule.highest))
        throw Error(std::string("The ") + rule.what + " '" + text + "' is no number from " + range);
    return static_cast<double>(*value);
}

double FieldOr(std::string_view query, std::string_view key, double fallback) {
    const FieldRule& rule = RuleOf(key);
    const std::string text = Field(query, key);
    if (text.empty()) {
        if (!rule.letters.empty()) throw Error(std::string("No ") + rule.what + " given");
        return fallback;
    }
    return ReadField(rule, text);
}

std::string ReadFieldsJson(std::string_view query) {
    std::string json = "{";
    for (const FieldRule& rule : kRules) {
        const std::string text = Field(query, rule.key);
        if (text.empty()) continue;
        json += std::string(json.size() > 1 ? ", " : "") + JsonQuoted(rule.key) + ": ";
        try {
            const double value = ReadField(rule, text);
            const std::string link = rule.letters == "NS"   ? LinkAngle(value, 'N', 'S')
                                     : rule.letters == "EW" ? LinkAngle(WithinHalfTurn(value), 'W', 'E')
                                                            : FormatGeneral(value);
            json += "{\"value\": " + calc::NumberText(value) + ", \"link\": " + JsonQuoted(link) + "}";
        } catch (const Error& error) {
            json += "{\"error\": " + JsonQuoted(error.what()) + "}";
        }
    }
    return json + "}";
}

}  // namespace azimora::web
