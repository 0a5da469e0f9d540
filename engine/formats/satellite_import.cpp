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

ImportResult ImportSatellites(Catalogue& satellites, const std::filesystem::path& listsFolder,
                              std::span<const SatelliteEntry> entries) {
    ImportResult result;
    // Looked up in a set built once: a search through the listing for every
    // entry grows with both.
    std::unordered_set<std::string> listed;
    listed.reserve(satellites.RootCount() + entries.size());
    for (std::size_t i = 0; i < satellites.RootCount(); ++i)
        listed.insert(Key(satellites.Root(i).Text, satellites.Root(i).Data1));

    struct Accepted {
        std::size_t entry;
        std::string text, longitude;
    };
    std::vector<Accepted> accepted;
    std::vector<std::string> records;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const SatelliteEntry& entry = entries[i];
        // As the next start would show it: the record keeps the stored form.
        std::string text = kUserSatellitePrefix + StoredListValue(entry.name);
        std::string longitude = StoredListValue(entry.longitudeText);
        if (listed.count(Key(text, longitude))) {
            ++result.alreadyListed;
            continue;
        }
        try {
            if (!entry.longitudeText.empty() && !IsFiniteNumber(entry.longitudeText))
                throw Error("Nothing was saved: the satellite longitude is not a finite number");
            records.push_back(UserSatelliteRecord(entry.name, entry.longitudeText));
        } catch (const Error& error) {
            result.notAdded.push_back({i, error.what()});
            continue;
        }
        listed.insert(Key(text, longitude));
        accepted.push_back({i, std::move(text), std::move(longitude)});
    }
    if (records.empty()) return result;
    try {
        SaveUserSatellites(listsFolder, records);
    } catch (const Error& error) {
        for (const Accepted& entry : accepted) result.notAdded.push_back({entry.entry, error.what()});
        std::sort(result.notAdded.begin(), result.notAdded.end(),
                  [](const NotAdded& a, const NotAdded& b) { return a.entry < b.entry; });
        return result;
    }
    for (Accepted& entry : accepted) satellites.AddChild(nullptr, std::move(entry.text)).Data1 = std::move(entry.longitude);
    result.added = static_cast<int>(accepted.size());
    return result;
}

}  // namespace azimora
