// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "sky/sky_chart.h"

#include <algorithm>
#include <cmath>

#include "geometry/earth_model.h"
#include "sky/sun_position.h"

namespace azimora {
namespace {

constexpr double kSunStepSeconds = 600;
constexpr double kArcStepDegrees = 1;

}  // namespace

void ObstacleHorizon::Add(SkyPosition point) {
    point.azimuth = Wrap360(point.azimuth);
    point.elevation = std::clamp(point.elevation, 0.0, 90.0);
    const auto at = std::lower_bound(points_.begin(), points_.end(), point,
                                     [](const SkyPosition& a, const SkyPosition& b) { return a.azimuth < b.azimuth; });
    if (at != points_.end() && at->azimuth == point.azimuth) {
        *at = point;
    } else {
        points_.insert(at, point);
    }
}

void ObstacleHorizon::Remove(std::size_t index) {
    if (index < points_.size()) points_.erase(points_.begin() + static_cast<std::ptrdiff_t>(index));
}

double ObstacleHorizon::ElevationAt(double azimuth) const {
    if (points_.empty()) return 0;
    azimuth = Wrap360(azimuth);
    // The neighbours either side, round the circle.
    const auto after = std::upper_bound(points_.begin(), points_.end(), azimuth,
                                        [](double a, const SkyPosition& p) { return a < p.azimuth; });
    const SkyPosition& next = after == points_.end() ? points_.front() : *after;
    const SkyPosition& previous = after == points_.begin() ? points_.back() : *(after - 1);
    const double along = Wrap360(azimuth - previous.azimuth);
    if (along == 0) return previous.elevation;
    const double span = &next == &previous ? 360 : Wrap360(next.azimuth - previous.azimuth);
    if (span > kWidestSpan) return 0;  // nothing marked in between
    return previous.elevation + along / span * (next.elevation - previous.elevation);
}

bool ObstacleHorizon::Blocks(SkyPosition position) const {
    return position.elevation <= 0 || position.elevation <= ElevationAt(position.azimuth);
}

namespace {

// The site, worked out once for the many satellites of a chart.
struct SiteSky {
    EarthGeometry earth;
    Vector3 position;
    LocalFrame frame;

    SiteSky(double latitude, double longitudeWest)
        : position(SitePosition(earth, latitude, longitudeWest)), frame(LocalFrameAt(latitude, longitudeWest)) {}

    [[nodiscard]] SkyPosition Of(double satelliteLongitudeWest) const {
        const Vector3 direction = Normalized(GeostationaryPosition(earth, satelliteLongitudeWest) - position);
        return {Wrap360(Degrees(std::atan2(Dot(direction, frame.east), Dot(direction, frame.north)))),
                Degrees(std::asin(std::clamp(Dot(direction, frame.up), -1.0, 1.0)))};
    }

    [[nodiscard]] SkyPosition Of(const Vector3& satellite) const {
        const Vector3 direction = Normalized(satellite - position);
        return {Wrap360(Degrees(std::atan2(Dot(direction, frame.east), Dot(direction, frame.north)))),
                Degrees(std::asin(std::clamp(Dot(direction, frame.up), -1.0, 1.0)))};
    }

    // Above the horizon at all: most of a big catalogue is not, and needs no angles.
    [[nodiscard]] bool Sees(const Vector3& satellite) const { return Dot(satellite - position, frame.up) > 0; }
};

}  // namespace

CatalogueSatellite::CatalogueSatellite(std::string satelliteName, double satelliteLongitudeWest)
    : name(std::move(satelliteName)), longitudeWest(satelliteLongitudeWest),
      position(GeostationaryPosition(EarthGeometry{}, satelliteLongitudeWest)) {}

SkyPosition GeostationaryPositionInSky(double latitude, double longitudeWest, double satelliteLongitudeWest) {
    return SiteSky(latitude, longitudeWest).Of(satelliteLongitudeWest);
}

SkyChart BuildSkyChart(const SkyChartRequest& request, const ObstacleHorizon& obstacles) {
    SkyChart chart;
    chart.declination = request.declination;
    const SiteSky site(request.latitude, request.longitudeWest);
    // The arc: every orbital longitude within sight, east to west.
    for (double east = 180; east >= -180; east -= kArcStepDegrees) {
        const SkyPosition position = site.Of(request.longitudeWest - east);
        if (position.elevation > 0) chart.geostationaryArc.push_back(position);
    }
    for (const CatalogueSatellite& satellite : request.catalogue) {
        if (!site.Sees(satellite.position)) continue;
        const SkyPosition position = site.Of(satellite.position);
        if (position.elevation > 0) chart.satellites.push_back({satellite.name, position, false, obstacles.Blocks(position)});
    }
    // Drawn last, so on top; also below the horizon, where the window points it.
    if (request.hasSelected) {
        const SkyPosition selected = site.Of(request.selectedLongitudeWest);
        chart.satellites.push_back({request.selectedName, selected, true, obstacles.Blocks(selected)});
    }
    if (request.secondLongitudeWest) {
        const SkyPosition second = site.Of(*request.secondLongitudeWest);
        chart.second = ChartSatellite{request.secondName, second, false, obstacles.Blocks(second)};
    }
    // The sun from the site's midnight to the next.
    bool up = false;
    for (UnixSeconds t = request.dayStart; t <= request.dayEnd; t += kSunStepSeconds) {
        const HorizonPosition sun = ToHorizon(SunDirection(t), request.latitude, request.longitudeWest);
        if (sun.elevation > 0) {
            if (!up) chart.sunPath.emplace_back();
            chart.sunPath.back().push_back({sun.azimuth, sun.elevation});
        }
        up = sun.elevation > 0;
    }
    for (const ClockHour& hour : request.hours) {
        const HorizonPosition sun = ToHorizon(SunDirection(hour.instant), request.latitude, request.longitudeWest);
        if (sun.elevation > 0) chart.sunHours.push_back({{sun.azimuth, sun.elevation}, hour.hour});
    }
    return chart;
}

}  // namespace azimora
