#include "userlists.h"

#include <initializer_list>

#include "builtin_catalogues.h"
#include "errors.h"
#include "list_file_io.h"

namespace azimora {
namespace {

constexpr std::string_view kFieldSeparator = ",";

const std::string& FieldAt(const std::vector<std::string>& fields, std::size_t index) {
    if (index >= fields.size()) throw ListIndexError(static_cast<int>(index));
    return fields[index];
}

// The record format has no escape: keep separators and line breaks out of values.
std::string RecordOf(std::initializer_list<std::string_view> values) {
    std::string record;
    bool first = true;
    for (const std::string_view value : values) {
        if (!first) record += ',';
        first = false;
        for (const char c : value) {
            if (c == ',') {
                record += ';';
            } else if (c == '\r' || c == '\n') {
                record += ' ';
            } else {
                record += c;
            }
        }
    }
    return record;
}

}  // namespace

std::filesystem::path UserSatelliteFile(const std::filesystem::path& programFolder) {
    return programFolder / "data" / "satdata.dat";
}

std::filesystem::path UserLocationFile(const std::filesystem::path& programFolder) {
    return programFolder / "data" / "locdata.dat";
}

std::vector<std::string> SplitFields(std::string_view line, std::string_view separators) {
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (true) {
        pos = line.find_first_not_of(separators, pos);
        if (pos == std::string_view::npos) return fields;
        const std::size_t end = std::min(line.find_first_of(separators, pos), line.size());
        fields.emplace_back(line.substr(pos, end - pos));
        pos = end;
    }
}

void LoadUserLocations(Catalogue& locations, const std::filesystem::path& programFolder) {
    const auto lines = ReadListFileLines(UserLocationFile(programFolder));
    if (!lines) return;
    // Looked up once, not per line: the nodes added under "USER DEFINED"
    // follow it in pre-order, so a search on a later line finds it again.
    CatalogueNode* const userDefined = locations.FindNode(kUserDefinedText);
    for (const std::string& line : *lines) {
        const auto fields = SplitFields(line, kFieldSeparator);
        CatalogueNode& node = locations.AddChild(userDefined, FieldAt(fields, 0));
        const std::string& latitude = FieldAt(fields, 1);
        const std::string& longitude = FieldAt(fields, 2);
        node.Data1 = latitude;
        node.Data2 = longitude;
    }
}

void LoadUserSatellites(Catalogue& satellites, const std::filesystem::path& programFolder) {
    const auto lines = ReadListFileLines(UserSatelliteFile(programFolder));
    if (!lines) return;
    for (const std::string& line : *lines) {
        const auto fields = SplitFields(line, kFieldSeparator);
        CatalogueNode& node = satellites.AddChild(nullptr, kUserSatellitePrefix + FieldAt(fields, 0));
        node.Data1 = FieldAt(fields, 1);
    }
}

void SaveUserSatellite(const std::filesystem::path& programFolder, std::string_view name, std::string_view longitude) {
    AppendListFileLine(UserSatelliteFile(programFolder), RecordOf({name, longitude}));
}

void SaveUserLocation(const std::filesystem::path& programFolder, std::string_view name, std::string_view latitude,
                      std::string_view longitude) {
    AppendListFileLine(UserLocationFile(programFolder), RecordOf({name, latitude, longitude}));
}

}  // namespace azimora
