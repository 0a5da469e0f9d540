// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Both list files made of arbitrary bytes, loaded into the built-in
// catalogues: never a crash, and every line that is not overlong adds a node
// when it has a name, whatever faults the file holds.
#include <cstddef>
#include <cstdint>

#include "catalogue/builtin_catalogues.h"
#include "errors.h"
#include "fuzz_support.h"
#include "lists/list_file_io.h"
#include "lists/userlists.h"
#include "text/text_encoding.h"

using namespace azimora;
using namespace azimora::fuzzing;

namespace {

std::size_t NamedLines(std::string_view bytes) {
    std::size_t named = 0;
    for (const std::string_view line : SplitLines(bytes))
        if (line.size() <= kMaxListLineBytes && !SplitFields(line, ",").empty()) ++named;
    return named;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ClearScratchFolder();
    WriteBytes(UserLocationFile(ScratchFolder()), bytes);
    WriteBytes(UserSatelliteFile(ScratchFolder()), bytes);

    auto locations = BuiltInLocationCatalogue();
    auto satellites = BuiltInSatelliteCatalogue();
    const std::size_t locationNodes = locations->NodeCount();
    try {
        LoadUserLocations(*locations, ScratchFolder());
    } catch (const Error&) {
    }
    try {
        LoadUserSatellites(*satellites, ScratchFolder());
    } catch (const Error&) {
    }
    // A leading byte order mark may turn a first line of only the mark into an empty one.
    const std::size_t named = NamedLines(bytes);
    const std::size_t added = satellites->RootCount() - 101;
    Expect(added == named || added + 1 == named, "one satellite per named line");
    Expect(locations->NodeCount() - locationNodes == added, "one location per named line");
    return 0;
}
