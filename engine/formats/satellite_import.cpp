// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "formats/satellite_import.h"

#include "lists/userlists.h"

namespace azimora {
namespace {

bool Listed(const Catalogue& satellites, const std::string& text, const std::string& longitude) {
    for (std::size_t i = 0; i < satellites.RootCount(); ++i) {
        const CatalogueNode& node = satellites.Root(i);
        if (node.Text == text && node.Data1 == longitude) return true;
    }
    return false;
}

}  // namespace

void ImportSatellites(Catalogue& satellites, const std::filesystem::path& listsFolder,
                      std::span<const SatelliteEntry> entries, ImportResult& result) {
    for (const SatelliteEntry& entry : entries) {
        // As the next start would show it: the record keeps the stored form.
        const std::string text = kUserSatellitePrefix + StoredListValue(entry.name);
        const std::string longitude = StoredListValue(entry.longitudeText);
        if (Listed(satellites, text, longitude)) {
            ++result.alreadyListed;
            continue;
        }
        SaveUserSatellite(listsFolder, entry.name, entry.longitudeText);
        satellites.AddChild(nullptr, text).Data1 = longitude;
        ++result.added;
    }
}

}  // namespace azimora
