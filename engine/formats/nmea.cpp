// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "formats/nmea.h"

#include <algorithm>
#include <cstdio>

#include "geometry/earth_model.h"
#include "text/number_text.h"

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

// Digits with at most one '.' and a sign, nothing else: NMEA's numbers.
std::optional<double> Decimal(std::string_view text) {
    if (text.empty() || text.find_first_not_of("0123456789.-") != std::string_view::npos) return std::nullopt;
    return ParseDataNumber(text);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// "4807.038" with "N": degrees and minutes, ddmm.mmm (dddmm.mmm for longitudes).
std::optional<double> Angle(std::string_view value, std::string_view hemisphere, int degreeDigits, char positive,
                            char negative, double limit) {
    const std::size_t dot = value.find('.');
    const std::size_t whole = dot == std::string_view::npos ? value.size() : dot;
    if (whole != static_cast<std::size_t>(degreeDigits + 2) || hemisphere.size() != 1) return std::nullopt;
    const auto degrees = Decimal(value.substr(0, degreeDigits));
    const auto minutes = Decimal(value.substr(degreeDigits));
    if (!degrees || !minutes || *minutes >= 60 || value.find('-') != std::string_view::npos) return std::nullopt;
    const double angle = *degrees + *minutes / 60;
    if (angle > limit) return std::nullopt;
    if (hemisphere[0] == positive) return angle;
    if (hemisphere[0] == negative) return -angle;
    return std::nullopt;
}

std::string TimeOfDay(std::string_view hhmmss) {
    if (hhmmss.size() < 6) return {};
    return std::string(hhmmss.substr(0, 2)) + ":" + std::string(hhmmss.substr(2, 2)) + ":" +
           std::string(hhmmss.substr(4, 2));
}

// RMC's ddmmyy as "2026-12-07"; years 80-99 are 1980-1999 (GPS began in
// 1980). Empty where it is no date.
std::string RmcDate(std::string_view ddmmyy) {
    if (ddmmyy.size() != 6 || !std::all_of(ddmmyy.begin(), ddmmyy.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return {};
    const int day = (ddmmyy[0] - '0') * 10 + (ddmmyy[1] - '0'), month = (ddmmyy[2] - '0') * 10 + (ddmmyy[3] - '0');
    const int year = (ddmmyy[4] - '0') * 10 + (ddmmyy[5] - '0');
    if (day < 1 || day > 31 || month < 1 || month > 12) return {};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year >= 80 ? 1900 + year : 2000 + year, month, day);
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

    NmeaFix fix;
    fix.sentence = std::string(kind);
    std::size_t latitudeField = 0;
    if (kind == "GGA") {
        if (fields.size() < 10) {
            why = "GGA with too few fields";
            return std::nullopt;
        }
        const auto quality = Decimal(fields[6]);
        if (!quality) {
            why = "GGA without a fix quality";
            return std::nullopt;
        }
        if (*quality <= 0) return std::nullopt;  // no fix yet: normal at start-up
        latitudeField = 2;
        if (const auto satellites = Decimal(fields[7])) fix.satellites = static_cast<int>(*satellites);
        fix.horizontalDilution = Decimal(fields[8]);
        fix.altitudeMetres = Decimal(fields[9]);
        if (fix.altitudeMetres && fields.size() > 11)
            if (const auto separation = Decimal(fields[11])) fix.ellipsoidHeightMetres = *fix.altitudeMetres + *separation;
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
        if (fields[2] != "A") return std::nullopt;                      // V: the receiver's warning, no fix
        if (fields.size() > 12 && fields[12] == "N") return std::nullopt;  // mode: data not valid
        latitudeField = 3;
    }
    const auto latitude = Angle(fields[latitudeField], fields[latitudeField + 1], 2, 'N', 'S', 90);
    const auto longitudeEast = Angle(fields[latitudeField + 2], fields[latitudeField + 3], 3, 'E', 'W', 180);
    if (!latitude || !longitudeEast) {
        why = std::string(kind) + " with a position that cannot be read";
        return std::nullopt;
    }
    fix.latitude = *latitude;
    fix.longitudeWest = -*longitudeEast + 0.0;  // no -0 for 0 E
    fix.timeOfDay = TimeOfDay(fields[1]);
    if (kind == "RMC") fix.date = RmcDate(fields[9]);
    return fix;
}

NmeaLog ReadNmeaLog(std::istream& in) {
    NmeaLog log;
    std::optional<NmeaFix> lastGga;
    std::string lastDate, lastDateTime;  // of the last RMC read, fix or not
    std::string line, why;
    bool tooLong = false;
    const auto problem = [&](const std::string& text) {
        ++log.broken;
        if (log.problems.size() < kMaxNmeaProblems) log.problems.push_back("line " + std::to_string(log.lines) + ": " + text);
    };
    while (ReadLine(in, line, tooLong)) {
        ++log.lines;
        if (tooLong) {
            problem("longer than 1 KiB: no NMEA sentence");
            continue;
        }
        std::string_view text = line;
        // A byte-order mark, as some editors save UTF-8, before the first.
        if (log.lines == 1 && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
        text = Trimmed(text);
        if (text.empty()) continue;
        if (text.front() != '$') {
            problem(text.front() == '!' ? "an AIS message, no position: " + Quoted(text)
                                        : "not an NMEA sentence (no '$' first): " + Quoted(text));
            continue;
        }
        auto fix = ParseNmeaFix(text, why);
        // A receiver without a fix still gives the date in RMC (status V).
        if (const std::vector<std::string_view> fields = Fields(text.substr(1, text.find('*') - 1));
            fields.size() > 9 && fields[0].size() == 5 && fields[0].substr(2) == "RMC" && why.empty()) {
            if (std::string date = RmcDate(fields[9]); !date.empty()) {
                lastDate = std::move(date);
                lastDateTime = TimeOfDay(fields[1]);
            }
        }
        if (!fix) {
            if (!why.empty()) problem(why);
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
