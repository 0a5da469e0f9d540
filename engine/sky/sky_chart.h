// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "geometry/site.h"
#include "geometry/vector3.h"
#include "sky/civil_time.h"

// What a chart of the sky over a site shows: the geostationary arc, every
// satellite of the catalogue on it, the sun's path of the day with its hour
// marks, and the user's obstacle horizon, against which each satellite is
// clear or blocked. Positions are azimuth (clockwise from true north) and
// elevation in degrees.
namespace azimora {

struct SkyPosition {
    double azimuth = 0;
    double elevation = 0;
};

// The skyline of obstacles the user marked: elevation by azimuth, straight
// between neighbouring marks up to 90 degrees apart (round north too), 0 in
// wider gaps, where nothing was marked. A building is marked by its corners.
class ObstacleHorizon {
public:
    static constexpr double kWidestSpan = 90;

    // Keeps the points in azimuth order; a point at an azimuth already marked replaces it.
    void Add(SkyPosition point);
    void Remove(std::size_t index);
    void Clear() { points_.clear(); }
    [[nodiscard]] const std::vector<SkyPosition>& Points() const noexcept { return points_; }
    [[nodiscard]] double ElevationAt(double azimuth) const;
    // Blocked: at or below the skyline (or below the horizon).
    [[nodiscard]] bool Blocks(SkyPosition position) const;

private:
    std::vector<SkyPosition> points_;
};

struct CatalogueSatellite {
    CatalogueSatellite(std::string satelliteName, double satelliteLongitudeWest);
    std::string name;
    double longitudeWest = 0;
    Vector3 position;  // in orbit, Earth-fixed: worked out once, for every site
};

struct ChartSatellite {
    std::string name;
    SkyPosition position;
    bool selected = false;
    bool blocked = false;
};

struct SunMark {
    SkyPosition position;
    int hour = 0;  // the site's clock hour
};

struct SkyChart {
    std::vector<SkyPosition> geostationaryArc;  // above the horizon, east to west
    std::vector<ChartSatellite> satellites;     // those above the horizon; the selected one last
    // Above the horizon, every ten minutes: one arc for each time the sun is
    // up that day (two where it sets and rises again within the day).
    std::vector<std::vector<SkyPosition>> sunPath;
    std::vector<SunMark> sunHours;              // on the whole local hours
    double declination = 0;                     // where magnetic north lies, east positive
    std::optional<ChartSatellite> second;       // a second satellite on the same dish
};

// A whole hour of the site's clock, at the instant it strikes.
struct ClockHour {
    UnixSeconds instant = 0;
    int hour = 0;
};

// The site (geometry/site.h), its satellites and its day.
struct SkyChartRequest : SiteLocation {
    bool hasSelected = true;    // a satellite chosen in the window
    std::string selectedName;   // the window's satellite, typed or chosen
    double selectedLongitudeWest = 0;
    std::optional<double> secondLongitudeWest;  // a second satellite on the same dish
    std::string secondName;
    std::span<const CatalogueSatellite> catalogue;  // not copied: it must outlive the request
    // The site's day for the sun's path: from its midnight to the next (in
    // UTC; 23 or 25 hours across a change of clocks), and its whole hours.
    UnixSeconds dayStart = 0;
    UnixSeconds dayEnd = 0;
    std::vector<ClockHour> hours;
    double declination = 0;
};

[[nodiscard]] SkyChart BuildSkyChart(const SkyChartRequest& request, const ObstacleHorizon& obstacles);

// Where a satellite at this orbital longitude stands in the site's sky.
[[nodiscard]] SkyPosition GeostationaryPositionInSky(double latitude, double longitudeWest, double satelliteLongitudeWest);

}  // namespace azimora
