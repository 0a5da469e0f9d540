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
            catalogue_.push_back({node.Text, static_cast<double>(*longitude)});
    }
    return catalogue_;
}

std::optional<SkyChart> DisplaySkyChart::build(const ObstacleHorizon& obstacles, const QDateTime& now) {
    const auto site = SiteOfDisplay(main_.controller().Values());
    if (!site) return std::nullopt;
    SkyChartRequest request;
    request.latitude = site->latitude;
    request.longitudeWest = site->longitudeWest;
    request.selectedName = site->satelliteName;
    request.selectedLongitudeWest = site->satelliteLongitudeWest;
    request.catalogue = catalogue();
    const QDate today = now.date();
    request.day = {today.year(), today.month(), today.day()};
    request.utcOffsetSeconds = now.offsetFromUtc();
    request.magneticDeclination = ComputeMagneticField(kWmm2025, site->latitude, site->longitudeWest, 0,
                                                       DecimalYear(static_cast<double>(now.toSecsSinceEpoch())))
                                      .declination;
    return BuildSkyChart(request, obstacles);
}

}  // namespace azimora::shell
