// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "formats/line_of_sight.h"

#include <algorithm>
#include <cmath>

#include "errors.h"
#include "geometry/earth_model.h"
#include "geometry/geodesic.h"
#include "geometry/vector3.h"
#include "text/json_reader.h"
#include "text/number_text.h"

namespace azimora {
namespace {

constexpr double kVertexSpacingMetres = 50;
constexpr std::size_t kMostSegments = 400;

// Map files use '.' whatever the desktop's language; an exact zero loses its sign.
std::string Fixed(double value, int decimals) { return FormatFixed(value + 0.0, decimals); }

std::string XmlText(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default:
                // XML 1.0 has no place for the other control characters.
                if (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t') out += ' ';
                else out += c;
        }
    }
    return out;
}

// The Earth's radius of curvature at the site in the line's direction
// (Euler: 1/R = cos^2 a / M + sin^2 a / N), for the height of the rising line.
double RadiusAlong(double latitude, double azimuth) {
    constexpr double a = kWgs84SemiMajorAxisMetres;
    constexpr double e2 = kWgs84Flattening * (2 - kWgs84Flattening);
    const double s = std::sin(Radians(latitude));
    const double w = std::sqrt(1 - e2 * s * s);
    const double m = a * (1 - e2) / (w * w * w);
    const double n = a / w;
    const double c = std::cos(Radians(azimuth)), sn = std::sin(Radians(azimuth));
    return 1 / (c * c / m + sn * sn / n);
}

std::string Title(const LineOfSight& line) {
    return "Line of sight from " + line.siteName + " to " + line.satelliteName;
}

std::string FiguresText(const LineOfSight& line, const char* separator) {
    std::string text;
    for (const auto& [name, value] : line.figures) text += name + ": " + value + separator;
    return text;
}

}  // namespace

std::string LineOfSightPath::Note() const {
    if (vertical) return "The satellite stands straight overhead: the line of sight rises vertically from the dish.";
    if (reachesSatellite)
        return "The line ends where it reaches the satellite, " + Fixed(points.back().distanceMetres / 1000, 1) +
               " km from the dish along the ground.";
    return {};
}

LineOfSightPath LineOfSightPoints(const LineOfSight& line) {
    if (!(line.lengthMetres > 0 && line.lengthMetres <= kLongestLineOfSightMetres))
        throw Error("The length of the line must be more than 0 and at most " + Fixed(kLongestLineOfSightMetres / 1000, 0) +
                    " km");
    if (!(std::isfinite(line.elevation) && line.elevation > 0 && line.elevation <= 90))
        throw Error("The satellite is not in sight from this site: there is no line of sight");
    const double radius = RadiusAlong(line.latitude, line.azimuth);
    const double longitudeEast = -line.longitudeWest;
    const double e = Radians(line.elevation);
    // The ray leaves the dish at the elevation angle; over the sphere of the
    // local curvature its height above the dish's level at ground distance
    // d is R cos(e) / cos(e + d/R) - R. It reaches the satellite's height
    // where cos(e + d/R) = R cos(e) / (R + H), and goes no farther.
    const double satelliteHeight = (static_cast<double>(kOrbitRadius / kEquatorialRadius) - 1) * kWgs84SemiMajorAxisMetres;
    const double reach = radius * (std::acos(radius * std::cos(e) / (radius + satelliteHeight)) - e);
    LineOfSightPath path;
    if (!(reach >= 1)) {
        // Within a metre of the point under the satellite: straight up.
        path.vertical = true;
        path.points = {{line.latitude, longitudeEast, 0, 0}, {line.latitude, longitudeEast, 0, line.lengthMetres}};
        return path;
    }
    const double length = std::min(line.lengthMetres, reach);
    path.reachesSatellite = length < line.lengthMetres;
    const std::size_t segments =
        std::clamp<std::size_t>(static_cast<std::size_t>(std::ceil(length / kVertexSpacingMetres)), 1, kMostSegments);
    path.points.reserve(segments + 1);
    for (std::size_t i = 0; i <= segments; ++i) {
        const double distance = length * static_cast<double>(i) / static_cast<double>(segments);
        const GeodesicEnd end = GeodesicDirect(line.latitude, longitudeEast, line.azimuth, distance);
        const double height = i == segments && path.reachesSatellite
                                  ? satelliteHeight
                                  : radius * std::cos(e) / std::cos(e + distance / radius) - radius;
        path.points.push_back({end.latitude, end.longitudeEast, distance, height});
    }
    return path;
}

std::string LineOfSightKml(const LineOfSight& line) {
    const LineOfSightPath path = LineOfSightPoints(line);
    const std::vector<LineOfSightPoint>& points = path.points;
    const bool absolute = line.dishAltitudeMetres.has_value();
    const double base = absolute ? *line.dishAltitudeMetres : 0;
    const auto coordinate = [&](const LineOfSightPoint& point, double height) {
        return Fixed(point.longitudeEast, 8) + "," + Fixed(point.latitude, 8) + "," + Fixed(height, 2);
    };
    std::string ground, rising;
    for (const LineOfSightPoint& point : points) {
        ground += coordinate(point, 0) + " ";
        rising += coordinate(point, base + point.heightMetres) + " ";
    }
    const std::string note = path.Note().empty() ? std::string() : " " + path.Note();
    ground.pop_back();
    rising.pop_back();
    const std::string heights = absolute ? "Heights above sea level, from the dish at " + Fixed(base, 1) + " m."
                                         : "Heights above the ground under each point (no dish altitude given).";
    std::string kml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n";
    kml += "  <name>" + XmlText(Title(line)) + "</name>\n";
    // Colours are aabbggrr: an opaque orange on the ground, red in the air.
    kml += "  <Style id=\"ground\"><LineStyle><color>ff0080ff</color><width>3</width></LineStyle></Style>\n";
    kml += "  <Style id=\"sight\"><LineStyle><color>ff0000ff</color><width>3</width></LineStyle>"
           "<PolyStyle><color>400000ff</color></PolyStyle></Style>\n";
    kml += "  <Placemark>\n    <name>" + XmlText(line.siteName) + "</name>\n    <description>" +
           XmlText(FiguresText(line, "\n")) + "</description>\n    <Point><coordinates>" +
           coordinate(points.front(), 0) + "</coordinates></Point>\n  </Placemark>\n";
    kml += "  <Placemark>\n    <name>" + XmlText("Towards " + line.satelliteName + " on the ground") +
           "</name>\n    <description>" +
           XmlText("True azimuth " + Fixed(line.azimuth, 2) + " deg, " + Fixed(points.back().distanceMetres, 0) + " m." +
                   note) +
           "</description>\n    <styleUrl>#ground</styleUrl>\n    <LineString><tessellate>1</tessellate>"
           "<altitudeMode>clampToGround</altitudeMode><coordinates>" + ground + "</coordinates></LineString>\n  </Placemark>\n";
    kml += "  <Placemark>\n    <name>" + XmlText("Line of sight to " + line.satelliteName) + "</name>\n    <description>" +
           XmlText("Elevation " + Fixed(line.elevation, 2) + " deg: an obstacle that reaches this line blocks the "
                   "satellite. " + heights + note) +
           "</description>\n    <styleUrl>#sight</styleUrl>\n    <LineString><extrude>1</extrude><altitudeMode>" +
           (absolute ? "absolute" : "relativeToGround") + "</altitudeMode><coordinates>" + rising +
           "</coordinates></LineString>\n  </Placemark>\n";
    kml += "</Document>\n</kml>\n";
    return kml;
}

std::string LineOfSightGeoJson(const LineOfSight& line) {
    const LineOfSightPath path = LineOfSightPoints(line);
    const std::vector<LineOfSightPoint>& points = path.points;
    const auto position = [](double longitudeEast, double latitude) {
        std::string text(1, '[');  // appended: GCC 12 misreads "[" + std::string at -O2 (-Wrestrict)
        text += Fixed(longitudeEast, 8);
        text += ", ";
        text += Fixed(latitude, 8);
        text += ']';
        return text;
    };
    // RFC 7946, 3.1.9: a line that crosses the antimeridian is cut in two there.
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0 && std::abs(points[i].longitudeEast - points[i - 1].longitudeEast) > 180) {
            const LineOfSightPoint& a = points[i - 1];
            const LineOfSightPoint& b = points[i];
            const double side = a.longitudeEast > 0 ? 180 : -180;
            const double bUnwrapped = b.longitudeEast + 2 * side;
            const double t = (side - a.longitudeEast) / (bUnwrapped - a.longitudeEast);
            const double latitude = a.latitude + t * (b.latitude - a.latitude);
            parts.back() += position(side, latitude);
            parts.push_back(position(-side, latitude) + ", ");
        }
        parts.back() += position(points[i].longitudeEast, points[i].latitude);
        if (i + 1 < points.size()) parts.back() += ", ";
    }
    std::string geometry;
    if (parts.size() == 1) {
        geometry = "{\"type\": \"LineString\", \"coordinates\": [" + parts[0] + "]}";
    } else {
        geometry = "{\"type\": \"MultiLineString\", \"coordinates\": [";
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (parts[i].ends_with(", ")) parts[i].resize(parts[i].size() - 2);
            geometry += (i ? ", [" : "[") + parts[i] + "]";
        }
        geometry += "]}";
    }
    std::string figures;
    bool namesSatellite = false;  // a figure "Satellite" says it already: one property, not two
    for (const auto& [name, value] : line.figures) {
        figures += ", " + JsonQuoted(name) + ": " + JsonQuoted(value);
        namesSatellite |= name == "Satellite";
    }
    std::string json = "{\"type\": \"FeatureCollection\", \"features\": [\n";
    json += "  {\"type\": \"Feature\", \"geometry\": {\"type\": \"Point\", \"coordinates\": " +
            position(points.front().longitudeEast, points.front().latitude) + "}, \"properties\": {\"name\": " +
            JsonQuoted(line.siteName) + (namesSatellite ? std::string() : ", \"satellite\": " + JsonQuoted(line.satelliteName)) +
            figures + "}},\n";
    json += "  {\"type\": \"Feature\", \"geometry\": " + geometry + ", \"properties\": {\"name\": " +
            JsonQuoted("Towards " + line.satelliteName) + ", \"azimuth\": " + Fixed(line.azimuth, 6) +
            ", \"elevation\": " + Fixed(line.elevation, 6) + ", \"length_m\": " + Fixed(points.back().distanceMetres, 1) +
            (path.Note().empty() ? std::string() : ", \"note\": " + JsonQuoted(path.Note())) + "}}\n";
    json += "]}\n";
    return json;
}

}  // namespace azimora
