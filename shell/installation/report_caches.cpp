// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "installation/report_caches.h"

#include <QString>

#include "errors.h"
#include "report/site_report.h"

namespace azimora::shell {

SiteZone SiteZoneCache::Of(const DisplaySite& site, const QByteArray& chosen) {
    auto key = std::make_tuple(site.latitude, site.longitudeWest, site.locationName, chosen);
    if (key_ != key || !zone_.zone.isValid()) {
        zone_ = ZoneOfSite(site.latitude, site.longitudeWest, QString::fromStdString(site.locationName), chosen);
        key_ = std::move(key);
    }
    return zone_;
}

OutageStore::Key OutageStore::KeyOf(const DeferredOutageSearch& search) {
    return {search.site.latitude, search.site.longitudeWest, search.site.satelliteLongitudeWest, search.threshold,
            search.dayStart};
}

std::optional<std::vector<SunOutage>> OutageStore::Known(const DeferredOutageSearch& search) const {
    const std::lock_guard lock(mutex_);
    const auto found = found_.find(KeyOf(search));
    if (found == found_.end()) return std::nullopt;
    return found->second;
}

void OutageStore::Search(const DeferredOutageSearch& search) {
    if (Known(search)) return;
    auto outages = SunOutages(search.site, search.threshold, search.dayStart,
                              search.dayStart + kOutageSearchDays * kSecondsPerDay);
    const std::lock_guard lock(mutex_);
    // A few sites' worth is all a session needs.
    if (found_.size() > 64) found_.clear();
    found_.emplace(KeyOf(search), std::move(outages));
}

std::vector<ScanTableSatellite> ReadInstalledScanTables() {
    try {
        return ReadScanTables().satellites;
    } catch (const Error&) {
        return {};
    }
}

}  // namespace azimora::shell
