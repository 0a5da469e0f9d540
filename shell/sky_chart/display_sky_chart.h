// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QTimeZone>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "sky/sky_chart.h"

// The sky chart of the main window's current values: its site, its
// satellite, the whole satellite catalogue (built-in and the user's), the
// site's day's sun and the magnetic declination.
namespace azimora::shell {

class TfrmKorvel;

class DisplaySkyChart {
public:
    explicit DisplaySkyChart(const TfrmKorvel& main) : main_(main) {}

    // nullopt while the window's values describe no site. Without a chosen
    // satellite the chart shows the sky and the others. The sun's path is of
    // the site's day, its hours on the site's clock (zone).
    // second: a second satellite on the same dish, ringed (its name, its
    // longitude west positive).
    struct Second {
        std::string name;
        double longitudeWest = 0;
    };
    [[nodiscard]] std::optional<SkyChart> build(const ObstacleHorizon& obstacles, const QDateTime& now,
                                                const QTimeZone& zone, const std::optional<Second>& second = {});

private:
    const std::vector<CatalogueSatellite>& catalogue();

    const TfrmKorvel& main_;
    std::vector<CatalogueSatellite> catalogue_;
    std::size_t catalogueNodes_ = 0;
};

}  // namespace azimora::shell
