// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "catalogue/builtin_catalogues.h"

#include <vector>

#include "catalogue/builtin_tables.h"

namespace azimora {

std::unique_ptr<Catalogue> BuiltInSatelliteCatalogue() {
    auto catalogue = std::make_unique<Catalogue>();
    for (const auto& entry : builtin::Satellites()) {
        CatalogueNode& node = catalogue->AddChild(nullptr, entry.name);
        node.Data1 = entry.longitude;
    }
    catalogue->Sort();
    return catalogue;
}

std::unique_ptr<Catalogue> BuiltInLocationCatalogue() {
    auto catalogue = std::make_unique<Catalogue>();
    // The table is in pre-order: a node's parent is the last node one level up.
    std::vector<CatalogueNode*> lastAtLevel;
    for (const auto& entry : builtin::Locations()) {
        const auto level = static_cast<std::size_t>(entry.level);
        CatalogueNode* parent = level == 0 ? nullptr : lastAtLevel.at(level - 1);
        CatalogueNode& node = catalogue->AddChild(parent, entry.name);
        node.Data1 = entry.latitude;
        node.Data2 = entry.longitude;
        lastAtLevel.resize(level + 1);
        lastAtLevel[level] = &node;
    }
    catalogue->Sort();
    return catalogue;
}

}  // namespace azimora
