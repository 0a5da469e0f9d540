// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "formats/two_line_elements.h"

#include <cmath>

#include "text/number_text.h"
#include "text/text_encoding.h"

namespace azimora {
namespace {

// Columns from and to, counted from 1 as NORAD's format gives them.
std::optional<double> Field(std::string_view line, std::size_t from, std::size_t to) {
    if (line.size() < to) return std::nullopt;
    return ParseDataNumber(line.substr(from - 1, to - from + 1));
}

// A number with an assumed leading decimal point and an exponent: " 28098-4"
// is 0.28098e-4, "-11606-4" is -0.11606e-4.
std::optional<double> ExponentField(std::string_view line, std::size_t from, std::size_t to) {
    if (line.size() < to) return std::nullopt;
    std::string_view text = TrimBlanks(line.substr(from - 1, to - from + 1));
    if (text.empty()) return 0.0;
    const std::size_t exponentSign = text.find_last_of("+-");
    if (exponentSign == std::string_view::npos || exponentSign == 0) return std::nullopt;
    std::string mantissa(text.substr(0, exponentSign));
    const bool negative = !mantissa.empty() && mantissa.front() == '-';
    if (negative || (!mantissa.empty() && mantissa.front() == '+')) mantissa.erase(0, 1);
    const auto digits = ParseDataNumber("0." + mantissa);
    const auto exponent = ParseDataNumber(text.substr(exponentSign));
    if (!digits || !exponent || mantissa.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    return (negative ? -1 : 1) * *digits * std::pow(10.0, *exponent);
}

// A name line as it shows in a message: a name of an element set is at most
// 24 characters; of a longer line (a file that is no element file) only
// its start is quoted, printable characters only.
std::string QuotedName(std::string_view name) {
    constexpr std::size_t kLongestName = 24;
    std::string quoted;
    for (const char c : name.substr(0, kLongestName)) quoted += static_cast<unsigned char>(c) >= 0x20 && c != 0x7f ? c : '?';
    if (name.size() <= kLongestName) return quoted;
    return "'" + quoted + "...', which is no name of an element set (at most 24 characters, then lines 1 and 2)";
}

std::string Numbered(std::size_t lineNumber, const std::string& reason) {
    return "line " + std::to_string(lineNumber) + ": " + reason;
}

// Checks a line 1 or 2; the reason it cannot be used, or empty.
std::string LineProblem(std::string_view line, char number) {
    if (line.size() < 69) return "too short for line " + std::string(1, number) + " of an element set";
    const int written = line[68] - '0';
    if (written < 0 || written > 9) return "no checksum digit at its end";
    const int computed = TleChecksum(line.substr(0, 68));
    if (computed != written)
        return "checksum is " + std::to_string(computed) + ", the line says " + std::to_string(written);
    return {};
}

}  // namespace

int TleChecksum(std::string_view line) {
    int sum = 0;
    for (const char c : line) {
        if (c >= '0' && c <= '9') sum += c - '0';
        if (c == '-') sum += 1;
    }
    return sum % 10;
}

std::optional<OrbitalElements> ParseElementLines(std::string_view name, std::string_view line1, std::string_view line2,
                                                 std::string& problem) {
    if (line1.size() < 63 || line2.size() < 63) {
        problem = "too short for an element set";
        return std::nullopt;
    }
    OrbitalElements elements;
    elements.name = std::string(TrimBlanks(name));
    elements.catalogueNumber = std::string(TrimBlanks(line1.substr(2, 5)));
    if (elements.catalogueNumber != TrimBlanks(line2.substr(2, 5))) {
        problem = "lines 1 and 2 are of different objects";
        return std::nullopt;
    }
    if (elements.name.empty()) elements.name = "Object " + elements.catalogueNumber;
    const auto year = Field(line1, 19, 20), day = Field(line1, 21, 32), bstar = ExponentField(line1, 54, 61);
    const auto inclination = Field(line2, 9, 16), node = Field(line2, 18, 25), perigee = Field(line2, 35, 42);
    const auto anomaly = Field(line2, 44, 51), motion = Field(line2, 53, 63);
    const auto eccentricity = Field(line2, 27, 33);
    if (!year || !day || !bstar || !inclination || !node || !perigee || !anomaly || !motion || !eccentricity) {
        problem = "a number of the element set cannot be read";
        return std::nullopt;
    }
    if (*inclination < 0 || *inclination > 180 || *motion <= 0 || *day < 1 || *day >= 367 || *year < 0) {
        problem = "a number of the element set lies out of its range";
        return std::nullopt;
    }
    // Two-digit years: 57 to 99 are 1957 to 1999.
    const int fullYear = static_cast<int>(*year) + (*year < 57 ? 2000 : 1900);
    elements.epoch = StartOfDay({fullYear, 1, 1}) + (*day - 1) * kSecondsPerDay;
    elements.inclination = *inclination;
    elements.rightAscension = *node;
    elements.eccentricity = *eccentricity / 1e7;  // a leading decimal point is implied
    elements.argumentOfPerigee = *perigee;
    elements.meanAnomaly = *anomaly;
    elements.meanMotion = *motion;
    elements.bstar = *bstar;
    return elements;
}

void ElementSetReader::Skip(std::size_t lineNumber, const std::string& reason) {
    if (file_.skipped.size() < kMaxListedSkips) file_.skipped.push_back(Numbered(lineNumber, reason));
    ++file_.skippedCount;
}

void ElementSetReader::AddLine(std::string_view raw) {
    const std::size_t number = ++lineNumber_;
    const std::string_view line = TrimBlanks(raw);
    if (!line1_.empty()) {
        if (line.starts_with("2 ")) {
            Set(line, number);
            return;
        }
        Skip(line1Number_, "line 1 without its line 2" + (name_.empty() ? std::string() : " (" + QuotedName(name_) + ")"));
        line1_.clear();
        name_.clear();
    }
    if (line.empty()) return;
    if (line.starts_with("1 ")) {
        line1_ = std::string(line);
        line1Number_ = number;
        return;
    }
    if (line.starts_with("2 ")) {
        Skip(number, "line 2 of an element set without its line 1");
        return;
    }
    if (!name_.empty()) Skip(nameLine_, "a name without an element set: " + QuotedName(name_));
    // Space-Track writes the name line as "0 NAME".
    name_ = std::string(line.starts_with("0 ") ? TrimBlanks(line.substr(2)) : line);
    nameLine_ = number;
}

void ElementSetReader::Set(std::string_view line2, std::size_t line2Number) {
    const std::string label = name_.empty() ? std::string() : " (" + QuotedName(name_) + ")";
    std::string problem = LineProblem(line1_, '1');
    std::size_t where = line1Number_;
    if (problem.empty()) {
        problem = LineProblem(line2, '2');
        where = line2Number;
    }
    std::optional<OrbitalElements> elements;
    if (problem.empty()) elements = ParseElementLines(name_, line1_, line2, problem);
    const std::size_t line1Number = line1Number_;
    name_.clear();
    line1_.clear();
    if (!elements) {
        Skip(where, problem + label);
        return;
    }
    auto object = PlaceGeostationary(*elements, instant_, problem);
    if (!object) {
        Skip(line1Number, problem + " (" + elements->name + ")");
        return;
    }
    file_.objects.push_back(std::move(*object));
}

void ElementSetReader::Finish() {
    file_.endsMidRecord = !line1_.empty() || !name_.empty();
    if (!line1_.empty()) {
        Skip(line1Number_, "line 1 without its line 2" + (name_.empty() ? std::string() : " (" + QuotedName(name_) + ")"));
        line1_.clear();
        name_.clear();
    }
    if (!name_.empty()) Skip(nameLine_, "a name without an element set: " + QuotedName(name_));
    name_.clear();
}

ElementSetFile ReadElementSets(std::string_view text, UnixSeconds instant) {
    ElementSetReader reader(instant);
    for (const std::string_view line : SplitLines(text)) reader.AddLine(line);
    reader.Finish();
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') reader.Result().endsMidRecord = true;
    return std::move(reader.Result());
}

}  // namespace azimora
