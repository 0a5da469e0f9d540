// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "formats/two_line_elements.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "geometry/vector3.h"
#include "sky/sun_position.h"
#include "text/text_encoding.h"

namespace azimora {
namespace {

// The Earth turns once a sidereal day: 360.9856 degrees a solar day.
constexpr double kEarthTurnPerDay = 360.98564736629;
constexpr double kMinimumMeanMotion = 0.9;
constexpr double kMaximumMeanMotion = 1.1;

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

std::optional<double> Field(std::string_view line, std::size_t from, std::size_t to) {
    if (line.size() < to) return std::nullopt;
    const std::string_view text = Trimmed(line.substr(from - 1, to - from + 1));
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    // "nan" and "inf" read as numbers, and would place a satellite nowhere.
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
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

std::optional<OrbitalElements> Elements(std::string_view name, std::string_view line1, std::string_view line2,
                                        std::string& problem) {
    OrbitalElements elements;
    elements.name = std::string(Trimmed(name));
    elements.catalogueNumber = std::string(Trimmed(line1.substr(2, 5)));
    if (elements.catalogueNumber != Trimmed(line2.substr(2, 5))) {
        problem = "lines 1 and 2 are of different objects";
        return std::nullopt;
    }
    if (elements.name.empty()) elements.name = "Object " + elements.catalogueNumber;
    const auto year = Field(line1, 19, 20), day = Field(line1, 21, 32);
    const auto inclination = Field(line2, 9, 16), node = Field(line2, 18, 25), perigee = Field(line2, 35, 42);
    const auto anomaly = Field(line2, 44, 51), motion = Field(line2, 53, 63);
    const auto eccentricity = Field(line2, 27, 33);
    if (!year || !day || !inclination || !node || !perigee || !anomaly || !motion || !eccentricity) {
        problem = "a number of the element set cannot be read";
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
    return elements;
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

double SubSatelliteLongitude(const OrbitalElements& elements, UnixSeconds instant) {
    const double days = (instant - elements.epoch) / kSecondsPerDay;
    const double e = elements.eccentricity;
    const double meanAnomaly = Radians(Wrap360(elements.meanAnomaly + 360 * elements.meanMotion * days));
    // Kepler's equation by Newton's method.
    double eccentric = meanAnomaly;
    for (int i = 0; i < 20; ++i) {
        const double step = (eccentric - e * std::sin(eccentric) - meanAnomaly) / (1 - e * std::cos(eccentric));
        eccentric -= step;
        if (std::fabs(step) < 1e-14) break;
    }
    const double trueAnomaly =
        2 * std::atan2(std::sqrt(1 + e) * std::sin(eccentric / 2), std::sqrt(1 - e) * std::cos(eccentric / 2));
    // The direction in the equatorial frame: the orbit's plane turned by the
    // node and the inclination; its length does not matter here.
    const double u = Radians(elements.argumentOfPerigee) + trueAnomaly;
    const double node = Radians(elements.rightAscension);
    const double i = Radians(elements.inclination);
    const double x = std::cos(node) * std::cos(u) - std::sin(node) * std::sin(u) * std::cos(i);
    const double y = std::sin(node) * std::cos(u) + std::cos(node) * std::sin(u) * std::cos(i);
    const double rightAscension = Degrees(std::atan2(y, x));
    // Over the turning Earth: less the sidereal time at Greenwich.
    return Wrap180(ApparentSiderealTime(JulianDay(instant)) - rightAscension);
}

ElementSetFile ReadElementSets(std::string_view text, UnixSeconds now) {
    ElementSetFile file;
    const std::vector<std::string_view> lines = SplitLines(text);
    std::string_view name;
    std::size_t nameLine = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = Trimmed(lines[i]);
        const std::size_t number = i + 1;
        if (line.empty()) continue;
        if (!line.starts_with("1 ")) {
            if (line.starts_with("2 ")) {
                file.skipped.push_back(Numbered(number, "line 2 of an element set without its line 1"));
                continue;
            }
            if (!name.empty()) file.skipped.push_back(Numbered(nameLine, "a name without an element set: " + std::string(name)));
            name = line;
            nameLine = number;
            continue;
        }
        const std::string label = name.empty() ? std::string() : " (" + std::string(name) + ")";
        if (i + 1 >= lines.size() || !Trimmed(lines[i + 1]).starts_with("2 ")) {
            file.skipped.push_back(Numbered(number, "line 1 without its line 2" + label));
            name = {};
            continue;
        }
        const std::string_view line2 = Trimmed(lines[++i]);
        std::string problem = LineProblem(line, '1');
        std::size_t where = number;
        if (problem.empty()) {
            problem = LineProblem(line2, '2');
            where = number + 1;
        }
        std::optional<OrbitalElements> elements;
        if (problem.empty()) elements = Elements(name, line, line2, problem);
        name = {};
        if (!elements) {
            file.skipped.push_back(Numbered(where, problem + label));
            continue;
        }
        if (elements->meanMotion < kMinimumMeanMotion || elements->meanMotion > kMaximumMeanMotion) {
            char motion[32];
            std::snprintf(motion, sizeof motion, "%.2f", elements->meanMotion);
            file.skipped.push_back(Numbered(number, "not geostationary: " + std::string(motion) + " revolutions a day (" +
                                                        elements->name + ")"));
            continue;
        }
        GeostationaryObject object;
        object.longitudeWest = SubSatelliteLongitude(*elements, now);
        object.driftPerDay = 360 * elements->meanMotion - kEarthTurnPerDay;
        char text[96];
        if (std::fabs(object.driftPerDay) > kDriftWarning) {
            std::snprintf(text, sizeof text, "drifting %.2f degrees a day %s", std::fabs(object.driftPerDay),
                          object.driftPerDay > 0 ? "east" : "west");
            object.warning = text;
        }
        if (elements->inclination > kInclinationWarning) {
            std::snprintf(text, sizeof text, "inclined %.1f degrees: it swings north and south", elements->inclination);
            object.warning += (object.warning.empty() ? "" : "; ") + std::string(text);
        }
        object.elements = std::move(*elements);
        file.objects.push_back(std::move(object));
    }
    if (!name.empty()) file.skipped.push_back(Numbered(nameLine, "a name without an element set: " + std::string(name)));
    return file;
}

}  // namespace azimora
