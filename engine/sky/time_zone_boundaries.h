// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Which time zone a place keeps, from the zones' boundaries themselves
// (timezone-boundary-builder, ODbL, made compact by
// scripts/make-time-zones.mjs into engine/sky/data/time-zones.dat; its
// header says the file's layout). The boundaries follow the coast out to the
// territorial waters; beyond them a site is at sea.
namespace azimora {

class TimeZoneBoundaries {
public:
    // The file's size is about 3.5 MB; far more is not this file.
    static constexpr std::size_t kMaxFileBytes = 32u << 20;

    // Reads the file; throws Error naming it when it is missing or damaged.
    [[nodiscard]] static TimeZoneBoundaries Read(const std::filesystem::path& file);
    // From the file's bytes; throws Error when they are not such a file.
    explicit TimeZoneBoundaries(std::string bytes);

    // The IANA zone whose boundary holds the place (east longitudes
    // positive); nullopt outside every boundary, at sea.
    [[nodiscard]] std::optional<std::string_view> ZoneAt(double latitude, double longitudeEast) const;

    // Where the boundaries come from, as the file says.
    [[nodiscard]] const std::string& Source() const noexcept { return source_; }
    [[nodiscard]] const std::vector<std::string>& Zones() const noexcept { return zones_; }

private:
    enum class Kind : std::uint8_t { Sea = 0, Whole = 1, Split = 2, Cut = 3 };
    struct Node {
        Kind kind;
        std::uint32_t value;  // Whole: the zone; Split: the first of 4 in children_; Cut: the payload's offset
    };
    std::uint32_t ParseNode(std::size_t& at, int depth);
    [[nodiscard]] std::optional<std::string_view> ZoneInCut(std::size_t at, double latitude, double longitude,
                                                            double top, double bottom, double left,
                                                            double right) const;

    std::string bytes_;
    std::string source_;
    std::vector<std::string> zones_;
    std::vector<Node> nodes_;
    std::vector<std::uint32_t> children_;
};

// The nautical zone of a longitude at sea: 15-degree bands centred on the
// multiples of 15 degrees, "Etc/GMT+8" for 120 W (the IANA names count the
// other way round: Etc/GMT+8 is UTC-8), "Etc/GMT" at Greenwich; east of
// 172.5 E "Etc/GMT-12", west of 172.5 W "Etc/GMT+12".
[[nodiscard]] std::string NauticalZone(double longitudeEast);

// The boundaries' file where this build of the program keeps it: installed
// with the program, or, in a build for development, in the source tree.
[[nodiscard]] std::filesystem::path TimeZoneBoundariesFile();

}  // namespace azimora
