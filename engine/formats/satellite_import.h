// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <span>
#include <string>

#include "catalogue/catalogue.h"

// Satellites taken from outside sources into the user's own list: appended
// to satdata.dat as a save would, and to the satellite listing at once, as
// the list is loaded at start-up ("USER: " + name after the others).
namespace azimora {

struct SatelliteEntry {
    std::string name;
    std::string longitudeText;  // west positive: 19.2 E is "-19.2"
};

struct ImportResult {
    int added = 0;
    int alreadyListed = 0;  // same name and longitude already in the user's list
};

// Counts into result as it goes. Throws what the save throws; the entries
// before a failing one stay added, and counted.
void ImportSatellites(Catalogue& satellites, const std::filesystem::path& listsFolder,
                      std::span<const SatelliteEntry> entries, ImportResult& result);

}  // namespace azimora
