// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"

// Satellites taken from outside sources into the user's own list: appended
// to satdata.dat as a save would, and to the satellite listing at once, as
// the list is loaded at start-up ("USER: " + name after the others).
namespace azimora {

struct SatelliteEntry {
    std::string name;
    std::string longitudeText;  // west positive: 19.2 E is "-19.2"
};

struct NotAdded {
    std::size_t entry = 0;  // its place among the entries
    std::string reason;     // "Nothing was saved: the satellite name is empty", "Disk full", ...
};

struct ImportResult {
    int added = 0;
    int alreadyListed = 0;  // same name and longitude already in the user's list
    std::vector<NotAdded> notAdded;
};

// An import worked out against the listing, to be saved (on any thread) and
// then applied to the listing: the three steps of ImportSatellites, for a
// window that saves off its own thread.
struct ImportPlan {
    ImportResult result;
    struct Accepted {
        std::size_t entry;
        std::string text, longitude;  // as the listing shows them
    };
    std::vector<Accepted> accepted;
    std::vector<std::string> records;  // as the list file keeps them
};
[[nodiscard]] ImportPlan PlanImport(const Catalogue& satellites, std::span<const SatelliteEntry> entries);
// Throws what the save throws; nothing is saved then.
void SaveImport(const std::filesystem::path& listsFolder, const ImportPlan& plan);
// After a save: the listing gains the entries. After a failed one: each is
// not added, with the reason.
[[nodiscard]] ImportResult ApplyImport(Catalogue& satellites, ImportPlan& plan);
[[nodiscard]] ImportResult FailImport(ImportPlan& plan, const std::string& reason);

// Adds what can be added, in one save for them all, and says of every other
// entry why not: one that could not be read back (an empty name, a longitude
// that is no finite number, ...) is left out and the rest go on; when the
// save itself fails, none is added and each carries its reason. Never
// throws for a single entry; throws only what leaves nothing to report
// (out of memory).
[[nodiscard]] ImportResult ImportSatellites(Catalogue& satellites, const std::filesystem::path& listsFolder,
                                            std::span<const SatelliteEntry> entries);

}  // namespace azimora
