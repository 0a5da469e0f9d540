// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "formats/satellite_import.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "errors.h"
#include "lists/userlists.h"
#include "text/number_text.h"

namespace azimora {
namespace {

std::string Key(const std::string& text, const std::string& longitude) { return text + '\0' + longitude; }

// An import's longitude is a number, or the entry cannot calculate.
bool IsFiniteNumber(const std::string& text) {
    const auto value = ParseNumber(text);
    return value && std::isfinite(*value);
}

}  // namespace

ImportPlan PlanImport(const Catalogue& satellites, std::span<const SatelliteEntry> entries) {
    ImportPlan plan;
    // Looked up in a set built once: a search through the listing for every
    // entry grows with both.
    std::unordered_set<std::string> listed;
    listed.reserve(satellites.RootCount() + entries.size());
    for (std::size_t i = 0; i < satellites.RootCount(); ++i)
        listed.insert(Key(satellites.Root(i).Text, satellites.Root(i).Data1));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const SatelliteEntry& entry = entries[i];
        // As the next start would show it: the record keeps the stored form.
        std::string text = kUserSatellitePrefix + StoredListValue(entry.name);
        std::string longitude = StoredListValue(entry.longitudeText);
        if (listed.count(Key(text, longitude))) {
            ++plan.result.alreadyListed;
            continue;
        }
        try {
            if (!entry.longitudeText.empty() && !IsFiniteNumber(entry.longitudeText))
                throw Error("Nothing was saved: the satellite longitude is not a finite number");
            plan.records.push_back(UserSatelliteRecord(entry.name, entry.longitudeText));
        } catch (const Error& error) {
            plan.result.notAdded.push_back({i, error.what()});
            continue;
        }
        listed.insert(Key(text, longitude));
        plan.accepted.push_back({i, std::move(text), std::move(longitude)});
    }
    return plan;
}

void SaveImport(const std::filesystem::path& listsFolder, const ImportPlan& plan) {
    if (!plan.records.empty()) SaveUserSatellites(listsFolder, plan.records);
}

ImportResult ApplyImport(Catalogue& satellites, ImportPlan& plan) {
    for (ImportPlan::Accepted& entry : plan.accepted)
        satellites.AddChild(nullptr, std::move(entry.text)).Data1 = std::move(entry.longitude);
    plan.result.added = static_cast<int>(plan.accepted.size());
    plan.accepted.clear();
    return plan.result;
}

ImportResult FailImport(ImportPlan& plan, const std::string& reason) {
    for (const ImportPlan::Accepted& entry : plan.accepted) plan.result.notAdded.push_back({entry.entry, reason});
    std::sort(plan.result.notAdded.begin(), plan.result.notAdded.end(),
              [](const NotAdded& a, const NotAdded& b) { return a.entry < b.entry; });
    plan.accepted.clear();
    return plan.result;
}

ImportResult ImportSatellites(Catalogue& satellites, const std::filesystem::path& listsFolder,
                              std::span<const SatelliteEntry> entries) {
    ImportPlan plan = PlanImport(satellites, entries);
    try {
        SaveImport(listsFolder, plan);
    } catch (const Error& error) {
        return FailImport(plan, error.what());
    }
    return ApplyImport(satellites, plan);
}

}  // namespace azimora
