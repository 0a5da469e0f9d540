// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "sky/time_zone_boundaries.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "errors.h"
#include "text/bounded_file.h"

namespace azimora {
namespace {

// The world as the boundaries' quadtree divides it (geo-tz's bounds: the
// poles and the date line themselves lie just outside).
constexpr double kTop = 89.9999;
constexpr double kBottom = -89.9999;
constexpr double kLeft = -179.9999;
constexpr double kRight = 179.9999;
// geo-tz's tree goes 9 levels deep; a damaged file must not recurse forever.
constexpr int kMaxDepth = 40;

[[noreturn]] void Damaged() { throw Error("The time-zone boundaries' file is damaged; reinstall the program."); }

// LEB128 varints, read within the file's bytes.
class Reader {
public:
    Reader(std::string_view bytes, std::size_t at) : bytes_(bytes), at_(at) {}
    std::uint64_t Count() {
        std::uint64_t value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (at_ >= bytes_.size()) Damaged();
            const auto byte = static_cast<unsigned char>(bytes_[at_++]);
            value |= static_cast<std::uint64_t>(byte & 0x7f) << shift;
            if ((byte & 0x80) == 0) return value;
        }
        Damaged();
    }
    std::int64_t Signed() {
        const std::uint64_t zigzag = Count();
        return (zigzag & 1) != 0 ? -static_cast<std::int64_t>(zigzag >> 1) - 1 : static_cast<std::int64_t>(zigzag >> 1);
    }
    std::uint8_t Byte() {
        if (at_ >= bytes_.size()) Damaged();
        return static_cast<std::uint8_t>(bytes_[at_++]);
    }
    std::string_view Text() {
        const std::uint64_t length = Count();
        if (length > bytes_.size() - at_) Damaged();
        const std::string_view text = bytes_.substr(at_, length);
        at_ += length;
        return text;
    }
    void Skip(std::uint64_t length) {
        if (length > bytes_.size() - at_) Damaged();
        at_ += length;
    }
    [[nodiscard]] std::size_t At() const { return at_; }

private:
    std::string_view bytes_;
    std::size_t at_;
};

}  // namespace

TimeZoneBoundaries TimeZoneBoundaries::Read(const std::filesystem::path& file) {
    BoundedRead read = ReadBoundedFile(file, kMaxFileBytes);
    if (!read.bytes) {
        if (read.failure == BoundedReadFailure::Missing)
            throw Error("The time-zone boundaries' file " + file.string() + " is missing; reinstall the program.");
        throw Error("The time-zone boundaries' file " + file.string() + " cannot be read" +
                    (read.cause.empty() ? std::string(".") : ": " + read.cause + "."));
    }
    return TimeZoneBoundaries(std::move(*read.bytes));
}

TimeZoneBoundaries::TimeZoneBoundaries(std::string bytes) : bytes_(std::move(bytes)) {
    if (bytes_.size() < 5 || std::string_view(bytes_).substr(0, 4) != "AZTZ" || bytes_[4] != 1) Damaged();
    Reader reader(bytes_, 5);
    source_ = reader.Text();
    const std::uint64_t zones = reader.Count();
    if (zones == 0 || zones > 10000) Damaged();
    zones_.reserve(zones);
    for (std::uint64_t i = 0; i < zones; ++i) zones_.emplace_back(reader.Text());
    std::size_t at = reader.At();
    ParseNode(at, 0);
    if (at != bytes_.size()) Damaged();
}

// Lays the tree out as nodes, a split's four children side by side; a cut
// cell's polygons stay in the bytes until a lookup reads them.
std::uint32_t TimeZoneBoundaries::ParseNode(std::size_t& at, int depth) {
    if (depth > kMaxDepth) Damaged();
    Reader reader(bytes_, at);
    const auto kind = static_cast<Kind>(reader.Byte());
    const auto index = static_cast<std::uint32_t>(nodes_.size());
    nodes_.push_back({kind, 0});
    switch (kind) {
        case Kind::Sea:
            break;
        case Kind::Whole: {
            const std::uint64_t count = reader.Count();
            if (count == 0) Damaged();
            const std::uint64_t first = reader.Count();
            if (first >= zones_.size()) Damaged();
            nodes_[index].value = static_cast<std::uint32_t>(first);
            // Where the keepers of time disagree, the first zone serves.
            for (std::uint64_t i = 1; i < count; ++i)
                if (reader.Count() >= zones_.size()) Damaged();
            break;
        }
        case Kind::Cut: {
            const std::uint64_t length = reader.Count();
            nodes_[index].value = static_cast<std::uint32_t>(reader.At());
            reader.Skip(length);
            break;
        }
        case Kind::Split: {
            const auto first = static_cast<std::uint32_t>(children_.size());
            nodes_[index].value = first;
            children_.resize(children_.size() + 4);
            at = reader.At();
            for (std::uint32_t child = 0; child < 4; ++child) {
                const std::uint32_t node = ParseNode(at, depth + 1);
                children_[first + child] = node;
            }
            return index;
        }
        default:
            Damaged();
    }
    at = reader.At();
    return index;
}

std::optional<std::string_view> TimeZoneBoundaries::ZoneAt(double latitude, double longitudeEast) const {
    if (!std::isfinite(latitude) || !std::isfinite(longitudeEast) || std::abs(latitude) > 90) return std::nullopt;
    double longitude = std::remainder(longitudeEast, 360.0);  // -180..180
    latitude = std::clamp(latitude, kBottom, kTop);
    longitude = std::clamp(longitude, kLeft, kRight);
    double top = kTop, bottom = kBottom, left = kLeft, right = kRight;
    double midLatitude = 0, midLongitude = 0;
    std::uint32_t node = 0;
    // The cells and their order as the tree was built: a north-east,
    // b north-west, c south-west, d south-east; the middle belongs north and east.
    while (nodes_[node].kind == Kind::Split) {
        const bool north = latitude >= midLatitude;
        const bool east = longitude >= midLongitude;
        const std::uint32_t quadrant = north ? (east ? 0 : 1) : (east ? 3 : 2);
        (north ? bottom : top) = midLatitude;
        (east ? left : right) = midLongitude;
        node = children_[nodes_[node].value + quadrant];
        midLatitude = (top + bottom) / 2;
        midLongitude = (left + right) / 2;
    }
    switch (nodes_[node].kind) {
        case Kind::Whole:
            return zones_[nodes_[node].value];
        case Kind::Cut:
            return ZoneInCut(nodes_[node].value, latitude, longitude, top, bottom, left, right);
        default:
            return std::nullopt;
    }
}

// Even-odd crossings over every ring of a zone's polygons in the cell, the
// point put on the cell's grid of steps (the rings' corners lie on it).
std::optional<std::string_view> TimeZoneBoundaries::ZoneInCut(std::size_t at, double latitude, double longitude,
                                                              double top, double bottom, double left,
                                                              double right) const {
    Reader reader(bytes_, at);
    const std::uint64_t bits = reader.Count();
    if (bits > 40) Damaged();
    const double steps = std::ldexp(1.0, static_cast<int>(bits));
    const double x = (longitude - left) / (right - left) * steps;
    const double y = (latitude - bottom) / (top - bottom) * steps;
    const std::uint64_t shapes = reader.Count();
    for (std::uint64_t shape = 0; shape < shapes; ++shape) {
        const std::uint64_t zone = reader.Count();
        if (zone >= zones_.size()) Damaged();
        const std::uint64_t rings = reader.Count();
        bool inside = false;
        for (std::uint64_t ring = 0; ring < rings; ++ring) {
            const std::uint64_t points = reader.Count();
            std::int64_t px = 0, py = 0;
            double previousX = 0, previousY = 0;
            for (std::uint64_t point = 0; point < points; ++point) {
                px += reader.Signed();
                py += reader.Signed();
                const auto cx = static_cast<double>(px);
                const auto cy = static_cast<double>(py);
                if (point > 0 && ((cy > y) != (previousY > y)) &&
                    x < previousX + (y - previousY) * (cx - previousX) / (cy - previousY))
                    inside = !inside;
                previousX = cx;
                previousY = cy;
            }
        }
        if (inside) return zones_[zone];
    }
    return std::nullopt;
}

std::string NauticalZone(double longitudeEast) {
    double longitude = std::remainder(longitudeEast, 360.0);
    // At the date line itself, the eastern half zone.
    const int hours = longitude >= 180 ? 12 : static_cast<int>(std::lround(longitude / 15));
    if (hours == 0) return "Etc/GMT";
    // POSIX signs: Etc/GMT-12 is twelve hours ahead of UTC.
    return std::string("Etc/GMT") + (hours > 0 ? "-" : "+") + std::to_string(std::abs(hours));
}

std::filesystem::path TimeZoneBoundariesFile() {
    const std::filesystem::path installed = std::filesystem::path(AZIMORA_DATA_DIR) / "time-zones.dat";
#ifdef AZIMORA_SOURCE_DATA_DIR
    std::error_code error;
    if (!std::filesystem::exists(installed, error))
        return std::filesystem::path(AZIMORA_SOURCE_DATA_DIR) / "time-zones.dat";
#endif
    return installed;
}

}  // namespace azimora
