// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "installation/assistant_session.h"

#include <QtConcurrent/QtConcurrent>

#include "geometry/vector3.h"
#include "main_window/main_window.h"

namespace azimora::shell {

AssistantSession& AssistantSession::Of(TfrmKorvel& main) {
    if (auto* session = main.findChild<AssistantSession*>(QString(), Qt::FindDirectChildrenOnly)) return *session;
    auto* session = new AssistantSession(&main);
    // A zone chosen by hand is the choice for that site: a new site starts
    // from its own.
    connect(&main, &TfrmKorvel::displayValuesChanged, session, [session, &main] {
        session->siteChanged(main.controller().Checked().location);
    });
    session->site_ = session->zoneSite_ = main.controller().Checked().location;
    // The scan tables are some hundred files: read off the windows' thread,
    // the windows shown again when they are there.
    connect(&session->scanTablesRead_, &QFutureWatcherBase::finished, session, [session] {
        if (session->caches_.scanTables) return;
        session->caches_.scanTables = session->scanTablesRead_.result();
        emit session->changed();
    });
    session->scanTablesRead_.setFuture(
        QtConcurrent::run([] { return std::make_shared<const std::vector<ScanTableSatellite>>(ReadInstalledScanTables()); }));
    return *session;
}

void AssistantSession::waitForScanTables() {
    if (caches_.scanTables) return;
    scanTablesRead_.waitForFinished();
    caches_.scanTables = scanTablesRead_.result();
}

void AssistantSession::setSettings(const AssistantSettings& settings) {
    if (settings.timeZone != settings_.timeZone) zoneSite_ = site_;
    settings_ = settings;
    emit changed();
}

void AssistantSession::siteChanged(const std::optional<SiteLocation>& site) {
    const auto same = [](const std::optional<SiteLocation>& a, const std::optional<SiteLocation>& b) {
        return a.has_value() == b.has_value() && (!a || (a->latitude == b->latitude && a->longitudeWest == b->longitudeWest));
    };
    site_ = site;
    if (settings_.timeZone.isEmpty() || same(site, zoneSite_)) return;
    settings_.timeZone.clear();
    emit changed();
}

void AssistantSession::addObstacle(SkyPosition mark) {
    keepForUndo();
    obstacles_.Add(mark);
    emit changed();
}

void AssistantSession::removeObstacle(std::size_t index) {
    if (index >= obstacles_.Points().size()) return;
    keepForUndo();
    obstacles_.Remove(index);
    emit changed();
}

std::size_t AssistantSession::changeObstacle(std::size_t index, SkyPosition mark) {
    if (index >= obstacles_.Points().size()) return index;
    keepForUndo();
    obstacles_.Remove(index);
    obstacles_.Add(mark);
    emit changed();
    const auto& points = obstacles_.Points();
    for (std::size_t i = 0; i < points.size(); ++i)
        if (points[i].azimuth == Wrap360(mark.azimuth)) return i;
    return 0;
}

void AssistantSession::clearObstacles() {
    if (obstacles_.Points().empty()) return;
    keepForUndo();
    obstacles_.Clear();
    emit changed();
}

void AssistantSession::undo() {
    if (!previous_) return;
    obstacles_ = *previous_;
    previous_.reset();
    emit changed();
}

}  // namespace azimora::shell
