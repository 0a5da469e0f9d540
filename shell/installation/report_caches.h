// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "installation/site_time_zone.h"
#include "controller/display_site.h"
#include "formats/dvb_scan_tables.h"
#include "sky/sun_events.h"

// What the assistant's reports keep between one change and the next, held
// by its session (one per main window): the site's zone, whose lookup
// reads the zone boundaries, and the year's sun outages, whose search takes
// a year of days.
namespace azimora::shell {

// The site's zone (see site_time_zone.h), looked up again only when the
// site or the choice changes. On the windows' thread.
class SiteZoneCache {
public:
    [[nodiscard]] SiteZone Of(const DisplaySite& site, const QByteArray& chosen);

private:
    std::optional<std::tuple<double, double, std::string, QByteArray>> key_;
    SiteZone zone_;
};

// A year's search for sun outages, which a window may run on another thread.
struct DeferredOutageSearch {
    DishSite site;
    double threshold = 0;
    UnixSeconds dayStart = 0;  // from the site's day on
};

// The searches done, by what they depend on: done again only when the
// site, the satellite, the dish or the day change. Safe on any thread.
class OutageStore {
public:
    void Search(const DeferredOutageSearch& search);
    [[nodiscard]] std::optional<std::vector<SunOutage>> Known(const DeferredOutageSearch& search) const;

private:
    using Key = std::tuple<double, double, double, double, UnixSeconds>;
    [[nodiscard]] static Key KeyOf(const DeferredOutageSearch& search);

    mutable std::mutex mutex_;
    std::map<Key, std::vector<SunOutage>> found_;
};

struct ReportCaches {
    SiteZoneCache zones;
    OutageStore outages;
    // Debian's DVB scan tables, for the satellites' polarisation: read once,
    // on another thread; none until they are (the polarisation is then not
    // known, as without the package).
    std::shared_ptr<const std::vector<ScanTableSatellite>> scanTables;
};

// The satellites of the DVB scan tables installed; none without the package.
[[nodiscard]] std::vector<ScanTableSatellite> ReadInstalledScanTables();

}  // namespace azimora::shell
