// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "sky_chart/display_sky_chart.h"

#include "controller/display_site.h"
#include "main_window/main_window.h"
#include "sky/magnetic_model.h"
#include "text/number_text.h"

namespace azimora::shell {

const std::vector<CatalogueSatellite>& DisplaySkyChart::catalogue() {
    // Read again only when nodes were added (user lists, imports).
    const Catalogue& satellites = main_.satellites();
    if (satellites.NodeCount() == catalogueNodes_) return catalogue_;
    catalogueNodes_ = satellites.NodeCount();
    catalogue_.clear();
    for (std::size_t i = 0; i < satellites.RootCount(); ++i) {
        const CatalogueNode& node = satellites.Root(i);
        if (const auto longitude = ParseNumber(node.Data1))
            catalogue_.emplace_back(node.Text, static_cast<double>(*longitude));
    }
    return catalogue_;
}

std::optional<SkyChart> DisplaySkyChart::build(const ObstacleHorizon& obstacles, const QDateTime& now,
                                               const QTimeZone& zone, const std::optional<Second>& second) {
    const CheckedSite& checked = main_.controller().Checked();
    const MissingInput missing = checked.missing;
    if (missing == MissingInput::Location || missing == MissingInput::Calculation) return std::nullopt;
    SkyChartRequest request;
    if (missing == MissingInput::Satellite) {
        // The sky of the site all the same, without a chosen satellite.
        const auto& location = checked.location;
        if (!location) return std::nullopt;
        request.latitude = location->latitude;
        request.longitudeWest = location->longitudeWest;
        request.hasSelected = false;
    } else {
        const auto& site = checked.site;
        if (!site) return std::nullopt;
        request.latitude = site->latitude;
        request.longitudeWest = site->longitudeWest;
        request.selectedName = site->satelliteName;
        request.selectedLongitudeWest = site->satelliteLongitudeWest;
    }
    request.catalogue = catalogue();
    if (second && request.hasSelected) {
        request.secondLongitudeWest = second->longitudeWest;
        request.secondName = second->name;
    }
    // The site's day and its whole hours, whatever the computer's zone.
    const QDate today = now.toTimeZone(zone).date();
    const QDateTime midnight = today.startOfDay(zone), nextMidnight = today.addDays(1).startOfDay(zone);
    request.dayStart = static_cast<double>(midnight.toSecsSinceEpoch());
    request.dayEnd = static_cast<double>(nextMidnight.toSecsSinceEpoch());
    for (QDateTime hour = midnight; hour < nextMidnight; hour = hour.addSecs(3600)) {
        const QDateTime local = hour.toTimeZone(zone);
        if (local.time().minute() != 0) continue;  // a zone whose clocks sit off the hour
        request.hours.push_back({static_cast<double>(hour.toSecsSinceEpoch()), local.time().hour()});
    }
    request.declination = ComputeMagneticField(kWmm2025, request.latitude, request.longitudeWest, 0,
                                               DecimalYear(static_cast<double>(now.toSecsSinceEpoch())))
                              .declination;
    return BuildSkyChart(request, obstacles);
}

}  // namespace azimora::shell
