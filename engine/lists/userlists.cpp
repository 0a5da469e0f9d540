// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "lists/userlists.h"

#include <charconv>
#include <cmath>
#include <exception>
#include <initializer_list>
#include <optional>

#include "catalogue/builtin_catalogues.h"
#include "errors.h"
#include "lists/list_file_io.h"
#include "text/text_encoding.h"
#include "text/float_chars.h"

namespace azimora {
namespace {

constexpr std::string_view kFieldSeparator = ",";

using Fields = std::vector<std::string>;

// The first malformed line of a file, raised once the rest is loaded.
class FirstFault {
public:
    template <typename MakeError>
    void Note(MakeError makeError) {
        if (!fault_) fault_ = std::make_exception_ptr(makeError());
    }
    void Raise() const {
        if (fault_) std::rethrow_exception(fault_);
    }

private:
    std::exception_ptr fault_;
};

// Loads every line of file through addRecord, which takes the fields and
// returns the index of the first field the record lacks, if any. A list cut
// at kMaxListRecords says that alone: the records left out matter more than
// a malformed line among those loaded. A blank line adds no record.
template <typename AddRecord>
void LoadListFile(const std::filesystem::path& file, AddRecord addRecord) {
    FirstFault fault;
    std::size_t number = 0, records = 0;
    bool cut = false;
    ForEachListFileLine(file, [&](ListLine&& line) {
        ++number;
        if (line.overlong) {
            fault.Note([&] { return ListLineTooLongError(file.filename().string(), number); });
            return;
        }
        const bool blank = line.text.find_first_not_of(kFieldSeparator) == std::string::npos;
        if (!blank && records == kMaxListRecords) {
            cut = true;
            return;
        }
        if (!blank) ++records;
        if (const std::optional<int> missing = addRecord(SplitFields(line.text, kFieldSeparator)))
            fault.Note([&] { return ListIndexError(*missing); });
    });
    if (cut) throw ListTooManyRecordsError(file.filename().string(), kMaxListRecords);
    fault.Raise();
}

struct NamedValue {
    const char* name;
    std::string_view value;
};

std::string RecordOf(std::initializer_list<std::string_view> values) {
    std::string record;
    for (const std::string_view value : values) {
        if (!record.empty()) record += ',';
        record += StoredListValue(value);
    }
    return record;
}

// "nan", "inf", "-Infinity": what a number from outside can turn into, and a
// record that can never calculate.
bool NamesNonFiniteNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = FloatFromChars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !std::isfinite(value);
}

void CheckRecord(std::initializer_list<NamedValue> values, std::size_t numbersFrom) {
    std::size_t length = values.size() - 1;  // the separators
    std::size_t index = 0;
    for (const NamedValue& value : values) {
        const std::string name(value.name);
        if (value.value.empty()) throw Error("Nothing was saved: the " + name + " is empty");
        if (!IsValidUtf8(value.value)) throw Error("Nothing was saved: the " + name + " is not UTF-8 text");
        if (index++ >= numbersFrom && NamesNonFiniteNumber(value.value))
            throw Error("Nothing was saved: the " + name + " is not a finite number");
        length += value.value.size();
    }
    if (length > kMaxListLineBytes) throw Error("Nothing was saved: the entry is longer than 64 KiB");
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
    // Looked up once, not per line: the nodes added under "USER DEFINED"
    // follow it in pre-order, so a search on a later line finds it again.
    CatalogueNode* const userDefined = locations.FindNode(kUserDefinedText);
    LoadListFile(UserLocationFile(programFolder), [&](const Fields& fields) -> std::optional<int> {
        if (fields.empty()) return 0;
        CatalogueNode& node = locations.AddChild(userDefined, fields[0]);
        // A short line keeps both data texts empty.
        if (fields.size() < 3) return static_cast<int>(fields.size());
        node.Data1 = fields[1];
        node.Data2 = fields[2];
        return std::nullopt;
    });
}

void LoadUserSatellites(Catalogue& satellites, const std::filesystem::path& programFolder) {
    LoadListFile(UserSatelliteFile(programFolder), [&](const Fields& fields) -> std::optional<int> {
        if (fields.empty()) return 0;
        CatalogueNode& node = satellites.AddChild(nullptr, kUserSatellitePrefix + fields[0]);
        if (fields.size() < 2) return 1;
        node.Data1 = fields[1];
        return std::nullopt;
    });
}

std::string StoredListValue(std::string_view value) {
    std::string stored(value);
    for (char& c : stored) {
        if (c == ',') {
            c = ';';
        } else if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return stored;
}

void CheckUserSatellite(std::string_view name, std::string_view longitude) {
    CheckRecord({{"satellite name", name}, {"satellite longitude", longitude}}, 1);
}

void CheckUserLocation(std::string_view name, std::string_view latitude, std::string_view longitude) {
    CheckRecord({{"location name", name}, {"latitude", latitude}, {"longitude", longitude}}, 1);
}

void SaveUserSatellite(const std::filesystem::path& programFolder, std::string_view name, std::string_view longitude) {
    CheckUserSatellite(name, longitude);
    AppendListFileLine(UserSatelliteFile(programFolder), RecordOf({name, longitude}));
}

std::string UserSatelliteRecord(std::string_view name, std::string_view longitude) {
    CheckUserSatellite(name, longitude);
    return RecordOf({name, longitude});
}

void SaveUserSatellites(const std::filesystem::path& programFolder, std::span<const std::string> records) {
    AppendListFileLines(UserSatelliteFile(programFolder), records);
}

void SaveUserLocation(const std::filesystem::path& programFolder, std::string_view name, std::string_view latitude,
                      std::string_view longitude) {
    CheckUserLocation(name, latitude, longitude);
    AppendListFileLine(UserLocationFile(programFolder), RecordOf({name, latitude, longitude}));
}

}  // namespace azimora
