// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "formats/http_response.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace azimora {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// A token character of a field name (RFC 9110 section 5.6.2).
bool IsTokenChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

// A control character other than the tab, which no line of a head may hold.
bool HasControl(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && c != '\t') || byte == 0x7F;
    });
}

// The start of a line to name it by, printable only.
std::string Shown(std::string_view text) {
    std::string shown;
    for (const char c : text.substr(0, 40)) shown += static_cast<unsigned char>(c) >= 0x20 && c != 0x7F ? c : '?';
    return "'" + shown + (text.size() > 40 ? "...'" : "'");
}

// name ":" value, the name a token with no blank before the colon.
bool IsFieldLine(std::string_view line, std::string_view& name, std::string_view& value) {
    const std::size_t colon = line.find(':');
    if (colon == 0 || colon == std::string_view::npos) return false;
    name = line.substr(0, colon);
    value = Trimmed(line.substr(colon + 1));
    return std::all_of(name.begin(), name.end(), IsTokenChar) && !HasControl(value);
}

// 1*DIGIT, without overflow.
std::optional<std::uint64_t> Digits(std::string_view text) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value;
}

// The items of a comma-separated field value, trimmed, empty ones left out.
std::vector<std::string_view> Items(std::string_view value) {
    std::vector<std::string_view> items;
    while (true) {
        const std::size_t comma = value.find(',');
        if (const std::string_view item = Trimmed(value.substr(0, comma)); !item.empty()) items.push_back(item);
        if (comma == std::string_view::npos) return items;
        value.remove_prefix(comma + 1);
    }
}

}  // namespace

HttpResponseReader::HttpResponseReader(std::function<void(std::string_view)> body, bool headRequest)
    : body_(std::move(body)), headRequest_(headRequest) {}

const std::string* HttpResponseReader::Field(std::string_view name) const {
    const std::string lower = Lower(name);
    for (const auto& [fieldName, value] : fields_)
        if (fieldName == lower) return &value;
    return nullptr;
}

void HttpResponseReader::Fail(Fault fault, std::string problem) {
    state_ = State::Broken;
    fault_ = fault;
    problem_ = std::move(problem);
}

bool HttpResponseReader::TakeLine(std::string_view& bytes, std::string& line) {
    const std::size_t end = bytes.find('\n');
    const std::size_t count = end == std::string_view::npos ? bytes.size() : end + 1;
    line_.append(bytes.data(), end == std::string_view::npos ? count : end);
    bytes.remove_prefix(count);
    taken_ += count;
    const bool head = part_ == Part::StatusLine || part_ == Part::FieldLine || part_ == Part::TrailerLine;
    if (part_ == Part::ChunkEnd) {
        if (line_.size() > 1 || (line_.size() == 1 && line_[0] != '\r')) {
            Fail(Fault::Malformed, "a chunk runs on past the size it gave");
            return false;
        }
    } else if (head ? lineBytes_ + line_.size() > kMaxHttpHeadBytes : line_.size() > kMaxChunkLineBytes) {
        Fail(Fault::Malformed, head ? "a head longer than 64 KiB" : "a chunk's size line longer than 4 KiB");
        return false;
    }
    if (end == std::string_view::npos) return false;
    // A line ends at CR LF, or at a lone LF (RFC 9112 section 2.2); a CR
    // anywhere else is refused.
    if (!line_.empty() && line_.back() == '\r') line_.pop_back();
    if (line_.find('\r') != std::string::npos) {
        Fail(Fault::Malformed, "a line with a bare CR in it");
        return false;
    }
    lineBytes_ += line_.size() + 2;
    line = std::move(line_);
    line_.clear();
    return true;
}

void HttpResponseReader::StatusLine(const std::string& line) {
    // HTTP-version SP status-code [SP reason-phrase]; the space before an
    // empty reason is often left out, and taken so.
    const std::string_view text = line;
    const bool shaped = text.size() >= 12 && text.starts_with("HTTP/") && text[5] >= '0' && text[5] <= '9' &&
                        text[6] == '.' && text[7] >= '0' && text[7] <= '9' && text[8] == ' ' &&
                        (text.size() == 12 || text[12] == ' ');
    const auto code = shaped ? Digits(text.substr(9, 3)) : std::nullopt;
    if (!code || HasControl(text)) return Fail(Fault::Malformed, "no HTTP status line: " + Shown(text));
    if (text[5] != '1') return Fail(Fault::Malformed, "an answer in HTTP/" + std::string(text.substr(5, 3)) + ", not HTTP/1.1");
    const int status = static_cast<int>(*code);
    if (status < 100 || status > 599) return Fail(Fault::Malformed, "a status code out of its range: " + Shown(text));
    if (status == 101) return Fail(Fault::Malformed, "a switch of protocols, which was not asked for");
    if (status < 200) {
        interimStatus_ = status;  // read past, with its fields
    } else {
        status_ = status;
        reason_ = text.size() > 12 ? std::string(text.substr(13)) : std::string();
    }
    part_ = Part::FieldLine;
}

void HttpResponseReader::FieldLine(const std::string& line) {
    if (line.empty()) return HeadEnded();
    if (IsBlank(line.front())) {
        // An obsolete line folding: the value goes on, as one blank (RFC 9112 section 5.2).
        const std::string_view more = Trimmed(line);
        if (fields_.empty() || HasControl(more)) return Fail(Fault::Malformed, "a folded line with no field before it");
        fields_.back().second.append(" ").append(more);
        return;
    }
    std::string_view name, value;
    if (!IsFieldLine(line, name, value)) return Fail(Fault::Malformed, "a header line that is no field: " + Shown(line));
    std::string lower = Lower(name);
    for (auto& [fieldName, fieldValue] : fields_) {
        if (fieldName != lower) continue;
        fieldValue.append(", ").append(value);
        return;
    }
    fields_.emplace_back(std::move(lower), std::string(value));
}

void HttpResponseReader::HeadEnded() {
    if (interimStatus_ != 0) {
        interimStatus_ = 0;
        fields_.clear();
        part_ = Part::StatusLine;
        return;
    }
    state_ = State::Body;
    const std::string* coding = Field("transfer-encoding");
    const std::string* length = Field("content-length");
    // RFC 9112 section 6.3, in its order.
    if (headRequest_ || status_ == 204 || status_ == 304) {
        framing_ = Framing::NoBody;
        part_ = Part::Done;
        state_ = State::Whole;
    } else if (coding != nullptr) {
        // Both at once may smuggle a second message: refused, as the RFC advises.
        if (length != nullptr) return Fail(Fault::Malformed, "both Transfer-Encoding and Content-Length");
        const std::vector<std::string_view> codings = Items(*coding);
        // Only chunked is understood (no TE field asks for any other).
        if (codings.size() != 1 || Lower(codings[0]) != "chunked")
            return Fail(Fault::Malformed, "a transfer coding that was not asked for: " + Shown(*coding));
        framing_ = Framing::Chunked;
        part_ = Part::ChunkSize;
    } else if (length != nullptr) {
        // "42, 42" is 42; lengths that differ, or no number, cannot frame a body.
        std::optional<std::uint64_t> value;
        bool agree = true;
        for (const std::string_view item : Items(*length)) {
            const auto digits = Digits(item);
            agree = agree && digits && (!value || *value == *digits);
            value = digits;
        }
        if (!agree || !value) return Fail(Fault::Malformed, "Content-Length " + Shown(*length) + " is no length");
        framing_ = Framing::Length;
        length_ = value;
        remaining_ = *value;
        part_ = *value == 0 ? Part::Done : Part::LengthData;
        if (*value == 0) state_ = State::Whole;
    } else {
        framing_ = Framing::UntilClose;
        part_ = Part::CloseData;
    }
}

void HttpResponseReader::ChunkSize(const std::string& line) {
    std::uint64_t size = 0;
    std::size_t digits = 0;
    for (; digits < line.size(); ++digits) {
        const char c = line[digits];
        const int value = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (value < 0) break;
        if (size > (std::numeric_limits<std::uint64_t>::max() >> 8))
            return Fail(Fault::Malformed, "a chunk size too large: " + Shown(line));
        size = size * 16 + static_cast<std::uint64_t>(value);
    }
    // Extensions after a ";" are allowed, and passed over.
    const std::string_view rest = Trimmed(std::string_view(line).substr(digits));
    if (digits == 0 || (!rest.empty() && rest.front() != ';') || HasControl(rest))
        return Fail(Fault::Malformed, "a chunk size that is no hex number: " + Shown(line));
    if (size == 0) {
        part_ = Part::TrailerLine;
        lineBytes_ = 0;
        return;
    }
    remaining_ = size;
    part_ = Part::ChunkData;
}

void HttpResponseReader::TrailerLine(const std::string& line) {
    if (line.empty()) {
        part_ = Part::Done;
        state_ = State::Whole;
        return;
    }
    std::string_view name, value;
    if (!IsFieldLine(line, name, value)) return Fail(Fault::Malformed, "a trailer line that is no field: " + Shown(line));
}

void HttpResponseReader::Body(std::string_view bytes) {
    bodyBytes_ += bytes.size();
    if (!bytes.empty() && body_) body_(bytes);
}

HttpResponseReader::State HttpResponseReader::Feed(std::string_view bytes) {
    while (!bytes.empty() && (state_ == State::Head || state_ == State::Body)) {
        if (part_ == Part::ChunkData || part_ == Part::LengthData) {
            const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(remaining_, bytes.size()));
            Body(bytes.substr(0, count));
            bytes.remove_prefix(count);
            taken_ += count;
            remaining_ -= count;
            if (remaining_ != 0) continue;
            if (part_ == Part::ChunkData) {
                part_ = Part::ChunkEnd;
            } else {
                part_ = Part::Done;
                state_ = State::Whole;
            }
            continue;
        }
        if (part_ == Part::CloseData) {
            Body(bytes);
            taken_ += bytes.size();
            break;
        }
        std::string line;
        if (!TakeLine(bytes, line)) continue;
        switch (part_) {
            case Part::StatusLine: StatusLine(line); break;
            case Part::FieldLine: FieldLine(line); break;
            case Part::ChunkSize: ChunkSize(line); break;
            case Part::ChunkEnd: part_ = Part::ChunkSize; break;
            case Part::TrailerLine: TrailerLine(line); break;
            case Part::ChunkData:
            case Part::LengthData:
            case Part::CloseData:
            case Part::Done: break;
        }
    }
    return state_;
}

HttpResponseReader::State HttpResponseReader::Close() {
    if (state_ == State::Whole || state_ == State::Broken) return state_;
    if (part_ == Part::CloseData) {
        part_ = Part::Done;
        state_ = State::Whole;
    } else if (state_ == State::Head) {
        Fail(Fault::ClosedEarly, taken_ == 0 ? "the connection closed without an answer"
                                             : "the connection closed inside the answer's head");
    } else if (framing_ == Framing::Length) {
        Fail(Fault::ClosedEarly, "the connection closed after " + std::to_string(bodyBytes_) + " of " +
                                     std::to_string(*length_) + " bytes");
    } else {
        Fail(Fault::ClosedEarly, "the connection closed after " + std::to_string(bodyBytes_) + " bytes, " +
                                     (part_ == Part::TrailerLine ? "inside the trailer section after the last chunk"
                                                                 : "before the last chunk"));
    }
    return state_;
}

}  // namespace azimora
