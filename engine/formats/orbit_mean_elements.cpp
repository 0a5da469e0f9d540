// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "formats/orbit_mean_elements.h"

#include <algorithm>
#include <charconv>
#include <istream>
#include <streambuf>

#include "errors.h"
#include "text/csv_reader.h"
#include "text/json_reader.h"
#include "text/number_text.h"
#include "text/xml_reader.h"

namespace azimora {
namespace {

std::string_view WithoutByteOrderMark(std::string_view text) {
    return text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text;
}

// EPOCH: "2020-10-13T04:52:48.472320" (UTC, a "Z" allowed) or, as CCSDS
// also allows, the day of the year: "2020-287T04:52:48.472320".
std::optional<UnixSeconds> Epoch(std::string_view text) {
    text = TrimBlanks(text);
    if (text.size() >= 8 && text[4] == '-' && text[8] == 'T') {
        int year = 0, day = 0;
        const auto y = std::from_chars(text.data(), text.data() + 4, year);
        const auto d = std::from_chars(text.data() + 5, text.data() + 8, day);
        if (y.ec != std::errc() || d.ec != std::errc() || day < 1 || day > 366) return std::nullopt;
        const std::string asDate = "2000-01-01" + std::string(text.substr(8));
        const auto time = ParseIsoInstant(asDate);
        if (!time) return std::nullopt;
        return StartOfDay({year, 1, 1}) + (day - 1) * kSecondsPerDay + (time->instant - StartOfDay({2000, 1, 1}));
    }
    const auto instant = ParseIsoInstant(text);
    if (!instant) return std::nullopt;
    return instant->instant;
}

using EachRecord = std::function<void(const OmmRecord&)>;

// The text as a stream for the CSV reader, without a copy of it.
class TextBuffer final : public std::streambuf {
public:
    explicit TextBuffer(std::string_view text) {
        char* begin = const_cast<char*>(text.data());  // only ever read
        setg(begin, begin, begin + text.size());
    }
};

void CsvRecords(std::string_view text, const EachRecord& each) {
    TextBuffer buffer(text);
    std::istream in(&buffer);
    CsvReader reader(in);
    std::vector<std::string> header, fields;
    if (reader.Next(header) != CsvReader::Status::Record) throw Error("the CSV file has no header line");
    for (std::string& name : header) name = std::string(TrimBlanks(name));
    if (std::find(header.begin(), header.end(), "MEAN_MOTION") == header.end())
        throw Error("the CSV file's header names no MEAN_MOTION: no orbit mean elements");
    OmmRecord record;
    for (CsvReader::Status status; (status = reader.Next(fields)) != CsvReader::Status::End;) {
        if (status == CsvReader::Status::NotText) throw Error("line " + std::to_string(reader.RecordLine()) + " holds a NUL byte");
        if (status == CsvReader::Status::Record && fields.size() == 1 && TrimBlanks(fields[0]).empty()) continue;
        record.place = "line " + std::to_string(reader.RecordLine());
        record.fields.clear();
        if (status == CsvReader::Status::Record && fields.size() != header.size()) {
            record.fields.emplace_back("", "expected " + std::to_string(header.size()) + " fields but found " +
                                               std::to_string(fields.size()));
        } else if (status != CsvReader::Status::Record) {
            record.fields.emplace_back("", status == CsvReader::Status::TooLong ? "longer than 64 KiB"
                                                                                 : "a quoted field is not closed");
        } else {
            for (std::size_t i = 0; i < header.size(); ++i) record.fields.emplace_back(header[i], std::move(fields[i]));
        }
        each(record);
        if (status == CsvReader::Status::Unclosed) break;
    }
}

void JsonRecords(std::string_view text, const EachRecord& each) {
    OmmRecord record;
    ForEachJsonItem(text, [&](JsonValue&& value, std::size_t index) {
        record.place = "record " + std::to_string(index) + " (line " + std::to_string(value.line) + ")";
        record.fields.clear();
        if (value.kind != JsonValue::Kind::Object) {
            record.fields.emplace_back("", "not an object of keywords");
        } else {
            for (JsonMember& member : value.members) {
                if (member.value.kind == JsonValue::Kind::String || member.value.kind == JsonValue::Kind::Number)
                    record.fields.emplace_back(std::move(member.name), std::move(member.value.text));
            }
        }
        each(record);
    });
}

// Each <segment> of the NDM/XML (or each <omm> without segments) is a
// message; its leaf elements hold the keywords.
void XmlRecords(std::string_view text, const EachRecord& each) {
    XmlPullReader xml(text);
    std::size_t count = 0;
    std::optional<OmmRecord> current;
    std::size_t currentLine = 0;
    std::string leaf, value;
    const auto finish = [&] {
        if (current && !current->fields.empty()) {
            current->place = "message " + std::to_string(++count) + " (line " + std::to_string(currentLine) + ")";
            each(*current);
        }
        current.reset();
    };
    for (XmlPullReader::Token token; (token = xml.Next()) != XmlPullReader::Token::End;) {
        if (token == XmlPullReader::Token::StartElement) {
            if (xml.Name() == "segment" || xml.Name() == "omm") {
                // An <omm>'s header comes before its segment: no message of its own.
                const bool headerOnly = current && current->Find("EPOCH") == nullptr && current->Find("MEAN_MOTION") == nullptr;
                if (xml.Name() == "segment" && headerOnly) current.reset();
                finish();
                current = OmmRecord{};
                currentLine = xml.Line();
            }
            leaf = std::string(xml.Name());
            value.clear();
        } else if (token == XmlPullReader::Token::Text) {
            value += xml.Text();
        } else if (!leaf.empty()) {  // the end of a leaf element
            if (current && leaf == xml.Name()) current->fields.emplace_back(leaf, value);
            leaf.clear();
        } else if (xml.Name() == "segment" || xml.Name() == "omm") {
            finish();
        }
    }
}

// KVN: "KEYWORD = value [unit]" lines; CCSDS_OMM_VERS opens each message.
void KvnRecords(std::string_view text, const EachRecord& each) {
    std::optional<OmmRecord> current;
    std::size_t count = 0;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = TrimBlanks(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        if (line.empty() || line.starts_with("COMMENT")) continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string keyword(TrimBlanks(line.substr(0, equals)));
        std::string_view value = TrimBlanks(line.substr(equals + 1));
        if (const std::size_t unit = value.find('['); unit != std::string_view::npos) value = TrimBlanks(value.substr(0, unit));
        if (keyword == "CCSDS_OMM_VERS" || !current) {
            if (current) each(*current);
            current = OmmRecord{"message " + std::to_string(++count) + " (line " + std::to_string(lineNumber) + ")", {}};
        }
        current->fields.emplace_back(keyword, std::string(value));
    }
    if (current) each(*current);
}

}  // namespace

const std::string* OmmRecord::Find(std::string_view keyword) const {
    for (const auto& [name, value] : fields)
        if (name == keyword) return &value;
    return nullptr;
}

ElementFormat SniffElementFormat(std::string_view start) {
    start = WithoutByteOrderMark(start);
    const std::size_t first = start.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return ElementFormat::TwoLine;
    start.remove_prefix(first);
    if (start.front() == '[' || start.front() == '{') return ElementFormat::OmmJson;
    if (start.front() == '<') return ElementFormat::OmmXml;
    if (start.starts_with("CCSDS_OMM_VERS") || start.starts_with("COMMENT")) return ElementFormat::OmmKvn;
    const std::string_view firstLine = start.substr(0, start.find('\n'));
    if (firstLine.find(',') != std::string_view::npos &&
        (firstLine.find("MEAN_MOTION") != std::string_view::npos || firstLine.find("OBJECT_NAME") != std::string_view::npos))
        return ElementFormat::OmmCsv;
    return ElementFormat::TwoLine;
}

const char* ElementFormatName(ElementFormat format) {
    switch (format) {
        case ElementFormat::TwoLine: return "two-line element sets";
        case ElementFormat::OmmXml: return "OMM (XML)";
        case ElementFormat::OmmKvn: return "OMM (KVN)";
        case ElementFormat::OmmJson: return "OMM (JSON)";
        case ElementFormat::OmmCsv: return "OMM (CSV)";
    }
    return "";
}

void ForEachOmmRecord(std::string_view text, ElementFormat format, const std::function<void(const OmmRecord&)>& each) {
    text = WithoutByteOrderMark(text);
    switch (format) {
        case ElementFormat::OmmCsv: return CsvRecords(text, each);
        case ElementFormat::OmmJson: return JsonRecords(text, each);
        case ElementFormat::OmmXml: return XmlRecords(text, each);
        case ElementFormat::OmmKvn: return KvnRecords(text, each);
        case ElementFormat::TwoLine: break;
    }
    throw Error("two-line element sets are no orbit mean-elements messages");
}

std::vector<OmmRecord> OmmRecordsOf(std::string_view text, ElementFormat format) {
    std::vector<OmmRecord> records;
    ForEachOmmRecord(text, format, [&](const OmmRecord& record) { records.push_back(record); });
    return records;
}

std::optional<OrbitalElements> ElementsOfOmm(const OmmRecord& record, std::string& problem) {
    if (const std::string* broken = record.Find("")) {
        problem = *broken;
        return std::nullopt;
    }
    const auto text = [&](const char* keyword) -> std::string {
        const std::string* value = record.Find(keyword);
        return value != nullptr ? std::string(TrimBlanks(*value)) : std::string();
    };
    const auto refuse = [&](std::string why) {
        problem = std::move(why);
        return std::nullopt;
    };
    const std::string theory = text("MEAN_ELEMENT_THEORY");
    if (!theory.empty() && theory != "SGP4" && theory != "SGP/SGP4")
        return refuse("mean elements of " + theory + ", not of SGP4");
    if (const std::string centre = text("CENTER_NAME"); !centre.empty() && centre != "EARTH")
        return refuse("an orbit about " + centre + ", not the Earth");
    if (const std::string frame = text("REF_FRAME"); !frame.empty() && frame != "TEME")
        return refuse("elements in the frame " + frame + ", not TEME");

    OrbitalElements elements;
    const auto number = [&](const char* keyword, double& into, double lowest, double highest, bool required) -> bool {
        const std::string value = text(keyword);
        if (value.empty()) {
            if (required) problem = std::string("no ") + keyword;
            return !required;
        }
        const auto parsed = ParseDataNumber(value);
        if (!parsed) {
            problem = std::string(keyword) + " '" + value + "' is not a finite number";
            return false;
        }
        if (*parsed < lowest || *parsed > highest) {
            problem = std::string(keyword) + " " + value + " lies out of its range";
            return false;
        }
        into = *parsed;
        return true;
    };
    constexpr double kAny = 1e9;
    if (!number("MEAN_MOTION", elements.meanMotion, 1e-9, 100, true) ||
        !number("ECCENTRICITY", elements.eccentricity, 0, 0.999999, true) ||
        !number("INCLINATION", elements.inclination, 0, 180, true) ||
        !number("RA_OF_ASC_NODE", elements.rightAscension, -kAny, kAny, true) ||
        !number("ARG_OF_PERICENTER", elements.argumentOfPerigee, -kAny, kAny, true) ||
        !number("MEAN_ANOMALY", elements.meanAnomaly, -kAny, kAny, true) ||
        !number("BSTAR", elements.bstar, -kAny, kAny, false))
        return std::nullopt;
    const std::string epoch = text("EPOCH");
    if (epoch.empty()) return refuse("no EPOCH");
    const auto instant = Epoch(epoch);
    if (!instant || *instant < StartOfDay({1957, 1, 1}) || *instant >= StartOfDay({2200, 1, 1}))
        return refuse("EPOCH '" + epoch + "' is no date of the space age");
    elements.epoch = *instant;
    elements.catalogueNumber = text("NORAD_CAT_ID");
    if (!elements.catalogueNumber.empty() &&
        elements.catalogueNumber.find_first_not_of("0123456789") != std::string::npos)
        return refuse("NORAD_CAT_ID '" + elements.catalogueNumber + "' is no catalogue number");
    elements.name = text("OBJECT_NAME");
    if (elements.name.empty())
        elements.name = "Object " + (elements.catalogueNumber.empty() ? text("OBJECT_ID") : elements.catalogueNumber);
    return elements;
}

ElementSetFile ReadOrbitElements(std::string_view text, UnixSeconds instant) {
    const ElementFormat format = SniffElementFormat(text.substr(0, 4096));
    if (format == ElementFormat::TwoLine) return ReadElementSets(text, instant);
    ElementSetFile file;
    std::string problem;
    const auto skip = [&](const OmmRecord& record) {
        if (file.skipped.size() < kMaxListedSkips) file.skipped.push_back(record.place + ": " + problem);
        ++file.skippedCount;
    };
    // KVN and CSV are lines: cut at a line's end, the text still reads, and
    // only its last record shows the cut (broken off, or missing a keyword
    // every message has). JSON and XML that read at all are whole, whatever
    // their records hold.
    const bool lines = format == ElementFormat::OmmKvn || format == ElementFormat::OmmCsv;
    try {
        ForEachOmmRecord(text, format, [&](const OmmRecord& record) {
            const auto elements = ElementsOfOmm(record, problem);
            if (lines) file.endsMidRecord = record.Find("") != nullptr || (!elements && problem.starts_with("no "));
            if (!elements) {
                skip(record);
                return;
            }
            if (auto object = PlaceGeostationary(*elements, instant, problem))
                file.objects.push_back(std::move(*object));
            else
                skip(record);
        });
    } catch (const Error& error) {
        throw Error(std::string("The file cannot be read as ") + ElementFormatName(format) + ": " + error.what());
    }
    // Lines of KVN and CSV end with a line break; the last one too, when whole.
    if (lines && !text.empty() && text.back() != '\n' && text.back() != '\r') file.endsMidRecord = true;
    return file;
}

}  // namespace azimora
