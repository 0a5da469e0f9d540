// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "formats/nmea.h"

#include <algorithm>
#include <cstdio>

#include "formats/nmea_fields.h"
#include "geometry/earth_model.h"

namespace azimora {
namespace {

constexpr std::size_t kMaxLineBytes = 1024;

std::vector<std::string_view> Fields(std::string_view body) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = body.find(',', start);
        fields.push_back(body.substr(start, comma - start));
        if (comma == std::string_view::npos) return fields;
        start = comma + 1;
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string TimeText(const nmea::TimeOfDay& time) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hour, time.minute, time.second);
    return text;
}

std::string DateText(const CivilDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

// Reads one line of at most kMaxLineBytes; a longer one is read to its end
// and reported by tooLong. False at the end of the input.
// A line ends at LF, CR or CR LF: logs saved on any system read alike.
bool ReadLine(std::istream& in, std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    std::streambuf* buffer = in.rdbuf();
    bool any = false;
    for (int c; (c = buffer->sbumpc()) != std::char_traits<char>::eof();) {
        any = true;
        if (c == '\n') return true;
        if (c == '\r') {
            if (buffer->sgetc() == '\n') buffer->sbumpc();
            return true;
        }
        if (line.size() < kMaxLineBytes)
            line.push_back(static_cast<char>(c));
        else
            tooLong = true;
    }
    return any;
}

// Blanks around a sentence are no part of it: spaces, tabs, line ends.
std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The start of a line that is no sentence, to name it by, printable only.
std::string Quoted(std::string_view text) {
    std::string quoted;
    for (const char c : text.substr(0, 24)) quoted += static_cast<unsigned char>(c) >= 0x20 && c != 0x7f ? c : '?';
    return "'" + quoted + (text.size() > 24 ? "...'" : "'");
}

}  // namespace

std::optional<NmeaFix> ParseNmeaFix(std::string_view sentence, std::string& why) {
    why.clear();
    sentence = Trimmed(sentence);
    if (sentence.empty() || sentence.front() != '$') {
        why = "not an NMEA sentence (no '$' first)";
        return std::nullopt;
    }
    const std::size_t star = sentence.rfind('*');
    if (star == std::string_view::npos || star + 3 != sentence.size()) {
        why = "no checksum";
        return std::nullopt;
    }
    const std::string_view body = sentence.substr(1, star - 1);
    unsigned sum = 0;
    for (const char c : body) sum ^= static_cast<unsigned char>(c);
    const int high = HexDigit(sentence[star + 1]), low = HexDigit(sentence[star + 2]);
    if (high < 0 || low < 0) {
        why = "the checksum is no hex number";
        return std::nullopt;
    }
    if (static_cast<unsigned>(high * 16 + low) != sum) {
        char expected[3];
        std::snprintf(expected, sizeof expected, "%02X", sum);
        why = "wrong checksum " + std::string(sentence.substr(star + 1)) + " (the sentence gives " + expected + ")";
        return std::nullopt;
    }
    const std::vector<std::string_view> fields = Fields(body);
    const std::string_view kind = fields[0].size() == 5 ? fields[0].substr(2) : std::string_view();
    if (kind != "GGA" && kind != "RMC") return std::nullopt;  // another sentence: nothing to say

    // A field present but not of its form makes the sentence unusable; an
    // empty one is "no data", allowed where the fix does without it.
    const auto refuse = [&](const char* what, std::string_view field) {
        why = std::string(kind) + " with " + what + ": " + Quoted(field);
        return std::nullopt;
    };
    const auto optionalNumber = [&](std::size_t index, std::optional<double>& into) {
        if (index >= fields.size() || fields[index].empty()) return true;
        into = nmea::Number(fields[index]);
        return into.has_value();
    };
    const auto inMetres = [&](std::size_t index) {
        return index >= fields.size() || fields[index].empty() || fields[index] == "M";
    };
    NmeaFix fix;
    fix.sentence = std::string(kind);
    std::size_t latitudeField = 0;
    if (kind == "GGA") {
        if (fields.size() < 10) {
            why = "GGA with too few fields";
            return std::nullopt;
        }
        if (fields[6].empty()) {
            why = "GGA without a fix quality";
            return std::nullopt;
        }
        const auto quality = nmea::WholeNumber(fields[6], 0, 8);
        if (!quality || fields[6].size() != 1) return refuse("a fix quality that is none of 0 to 8", fields[6]);
        if (*quality == 0) return std::nullopt;  // no fix yet: normal at start-up
        latitudeField = 2;
        if (!fields[7].empty()) {
            const auto satellites = nmea::WholeNumber(fields[7], 0, 99);
            if (!satellites) return refuse("a count of satellites that is no whole number", fields[7]);
            fix.satellites = *satellites;
        }
        if (!optionalNumber(8, fix.horizontalDilution)) return refuse("a dilution that is no number", fields[8]);
        if (!optionalNumber(9, fix.altitudeMetres)) return refuse("a height that is no number", fields[9]);
        if (!inMetres(10)) return refuse("a height in other units than metres", fields[10]);
        std::optional<double> separation;
        if (!optionalNumber(11, separation)) return refuse("a geoid separation that is no number", fields[11]);
        if (!inMetres(12)) return refuse("a geoid separation in other units than metres", fields[12]);
        if (fix.altitudeMetres && separation) fix.ellipsoidHeightMetres = *fix.altitudeMetres + *separation;
        std::optional<double> age;
        if (!optionalNumber(13, age)) return refuse("an age of differential data that is no number", fields[13]);
        if (fields.size() > 14 && !fields[14].empty() && !nmea::WholeNumber(fields[14], 0, 1023))
            return refuse("a differential station that is none of 0 to 1023", fields[14]);
        // The heights a site may have, as for a height typed.
        for (const auto& height : {fix.altitudeMetres, fix.ellipsoidHeightMetres}) {
            if (height && !(*height >= kLowestSiteAltitudeKm * 1000 && *height <= kHighestSiteAltitudeKm * 1000)) {
                char text[96];
                std::snprintf(text, sizeof text, "GGA with a height of %.0f m, outside -10 to 1000 km", *height);
                why = text;
                return std::nullopt;
            }
        }
    } else {
        if (fields.size() < 10) {
            why = "RMC with too few fields";
            return std::nullopt;
        }
        if (fields[2] != "A" && fields[2] != "V") return refuse("a status that is neither A nor V", fields[2]);
        if (fields[2] != "A") return std::nullopt;  // V: the receiver's warning, no fix
        // Mode (NMEA 2.3): autonomous, differential, estimated, float RTK,
        // manual, no fix, precise, RTK, simulated.
        if (fields.size() > 12 && !fields[12].empty() &&
            (fields[12].size() != 1 || std::string_view("ADEFMNPRS").find(fields[12][0]) == std::string_view::npos))
            return refuse("a mode indicator NMEA 0183 does not define", fields[12]);
        if (fields.size() > 12 && fields[12] == "N") return std::nullopt;  // mode: data not valid
        std::optional<double> unused;
        if (!optionalNumber(7, unused)) return refuse("a speed that is no number", fields[7]);
        if (!optionalNumber(8, unused)) return refuse("a course that is no number", fields[8]);
        if (!optionalNumber(10, unused)) return refuse("a magnetic variation that is no number", fields[10]);
        if (!fields[9].empty()) {
            const auto date = nmea::Date(fields[9]);
            if (!date) return refuse("a date that is no day of the calendar", fields[9]);
            fix.date = DateText(*date);
        }
        latitudeField = 3;
    }
    if (!fields[1].empty()) {
        const auto time = nmea::Time(fields[1]);
        if (!time) return refuse("a time that is no time of day", fields[1]);
        fix.timeOfDay = TimeText(*time);
    }
    const auto latitude = nmea::Latitude(fields[latitudeField], fields[latitudeField + 1]);
    const auto longitudeEast = nmea::Longitude(fields[latitudeField + 2], fields[latitudeField + 3]);
    if (!latitude || !longitudeEast) {
        why = std::string(kind) + " with a position that cannot be read";
        return std::nullopt;
    }
    fix.latitude = *latitude;
    fix.longitudeWest = -*longitudeEast + 0.0;  // no -0 for 0 E
    return fix;
}

NmeaLog ReadNmeaLog(std::istream& in) {
    NmeaLog log;
    std::optional<NmeaFix> lastGga;
    std::string lastDate, lastDateTime;  // of the last RMC read, fix or not
    std::string line, why;
    bool tooLong = false;
    // The words are made only for the problems listed: a log of junk costs
    // a count per line, not a message.
    const auto problem = [&](const auto& words) {
        ++log.broken;
        if (log.problems.size() < kMaxNmeaProblems) log.problems.push_back("line " + std::to_string(log.lines) + ": " + words());
    };
    while (ReadLine(in, line, tooLong)) {
        ++log.lines;
        if (tooLong) {
            problem([] { return std::string("longer than 1 KiB: no NMEA sentence"); });
            continue;
        }
        std::string_view text = line;
        // A byte-order mark, as some editors save UTF-8, before the first.
        if (log.lines == 1 && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
        text = Trimmed(text);
        if (text.empty()) continue;
        if (text.front() != '$') {
            problem([&] {
                return text.front() == '!' ? "an AIS message, no position: " + Quoted(text)
                                           : "not an NMEA sentence (no '$' first): " + Quoted(text);
            });
            continue;
        }
        auto fix = ParseNmeaFix(text, why);
        // A receiver without a fix still gives the date in RMC (status V).
        if (const std::vector<std::string_view> fields = Fields(text.substr(1, text.find('*') - 1));
            fields.size() > 9 && fields[0].size() == 5 && fields[0].substr(2) == "RMC" && why.empty()) {
            if (const auto date = nmea::Date(fields[9])) {
                const auto time = nmea::Time(fields[1]);
                lastDate = DateText(*date);
                lastDateTime = time ? TimeText(*time) : std::string();
            }
        }
        if (!fix) {
            if (!why.empty()) problem([&] { return why; });
            continue;
        }
        fix->line = log.lines;
        ++log.fixes;
        // The day of the last RMC, if this fix is not before it (past midnight, the day is not known).
        if (fix->date.empty() && !lastDate.empty() && fix->timeOfDay >= lastDateTime) fix->date = lastDate;
        if (fix->sentence == "GGA") {
            lastGga = fix;
        } else if (lastGga && lastGga->timeOfDay == fix->timeOfDay) {
            fix->altitudeMetres = lastGga->altitudeMetres;
            fix->ellipsoidHeightMetres = lastGga->ellipsoidHeightMetres;
            fix->horizontalDilution = lastGga->horizontalDilution;
            fix->satellites = lastGga->satellites;
        }
        log.lastFix = std::move(fix);
    }
    return log;
}

}  // namespace azimora
