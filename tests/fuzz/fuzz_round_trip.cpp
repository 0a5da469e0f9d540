// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Save, then reload: what is saved reads back as the same values.
// Input: a kind byte (even: a satellite, odd: a location), then the list
// file's bytes and the values, separated by NUL bytes. Only files that load
// cleanly take part; a refused save must leave the file as it was.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "catalogue/builtin_catalogues.h"
#include "errors.h"
#include "fuzz_support.h"
#include "lists/userlists.h"

using namespace azimora;
using namespace azimora::fuzzing;

namespace {

template <typename Load>
bool LoadsCleanly(Load load) {
    try {
        load();
        return true;
    } catch (const Error&) {
        return false;
    }
}

// The last node the loader added, given how many there were before.
template <typename Load, typename Count, typename Last>
void RoundTrip(const std::filesystem::path& file, std::string_view fileBytes, Load load, Count count, Last last,
               const std::function<void()>& save, const std::vector<std::string>& expected) {
    WriteBytes(file, fileBytes);
    if (!LoadsCleanly([&] { load(); })) return;
    const std::size_t before = count();
    try {
        save();
    } catch (const Error&) {
        Expect(ReadBytes(file) == fileBytes, "a refused or failed save leaves the file as it was");
        return;
    }
    Expect(LoadsCleanly([&] { load(); }), "a file stays clean after a save");
    Expect(count() == 2 * before + 1, "the reload finds the old records and one more");
    Expect(last() == expected, "the saved values read back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool location = data[0] % 2 == 1;
    const auto parts = SplitAtNul(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    if (parts.size() != (location ? 4u : 3u)) return 0;
    ClearScratchFolder();
    const auto& folder = ScratchFolder();

    if (location) {
        auto catalogue = BuiltInLocationCatalogue();
        CatalogueNode& userDefined = *catalogue->FindNode("USER DEFINED");
        RoundTrip(
            UserLocationFile(folder), parts[0], [&] { LoadUserLocations(*catalogue, folder); },
            [&] { return userDefined.ChildCount(); },
            [&] {
                const CatalogueNode& node = userDefined.Child(userDefined.ChildCount() - 1);
                return std::vector<std::string>{node.Text, node.Data1, node.Data2};
            },
            [&] { SaveUserLocation(folder, parts[1], parts[2], parts[3]); },
            {StoredListValue(parts[1]), StoredListValue(parts[2]), StoredListValue(parts[3])});
    } else {
        auto catalogue = BuiltInSatelliteCatalogue();
        RoundTrip(
            UserSatelliteFile(folder), parts[0], [&] { LoadUserSatellites(*catalogue, folder); },
            [&] { return catalogue->RootCount() - 101; },
            [&] {
                const CatalogueNode& node = catalogue->Root(catalogue->RootCount() - 1);
                return std::vector<std::string>{node.Text, node.Data1};
            },
            [&] { SaveUserSatellite(folder, parts[1], parts[2]); },
            {kUserSatellitePrefix + StoredListValue(parts[1]), StoredListValue(parts[2])});
    }
    return 0;
}
