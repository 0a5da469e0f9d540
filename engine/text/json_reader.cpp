// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "text/json_reader.h"

#include <cmath>
#include <cstdio>

#include "errors.h"
#include "text/text_encoding.h"

namespace azimora {
namespace {

class JsonParser {
public:
    explicit JsonParser(std::string_view text) : text_(text) {}

    JsonValue Document() {
        SkipSpace();
        JsonValue value = Value(0);
        End();
        return value;
    }

    void Items(const std::function<void(JsonValue&&, std::size_t)>& each) {
        SkipSpace();
        if (!Take('[')) {
            each(Document(), 1);
            return;
        }
        std::size_t index = 0;
        SkipSpace();
        if (!Take(']')) {
            do {
                SkipSpace();
                each(Value(1), ++index);
                SkipSpace();
            } while (Take(','));
            if (!Take(']')) Fail("expected ',' or ']' in an array");
        }
        End();
    }

private:
    void End() {
        SkipSpace();
        if (at_ != text_.size()) Fail("more text after the JSON value");
    }

    [[noreturn]] void Fail(const std::string& what) const {
        throw Error("line " + std::to_string(line_) + ": " + what);
    }

    void SkipSpace() {
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == '\n') ++line_;
            else if (c != ' ' && c != '\t' && c != '\r') return;
            ++at_;
        }
    }

    bool Take(char c) {
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }

    bool TakeWord(std::string_view word) {
        if (text_.substr(at_, word.size()) != word) return false;
        at_ += word.size();
        return true;
    }

    JsonValue Value(std::size_t depth) {
        if (depth > kMaxJsonDepth) Fail("nested deeper than " + std::to_string(kMaxJsonDepth) + " levels");
        JsonValue value;
        value.line = line_;
        if (at_ >= text_.size()) Fail("the text ends where a value should be");
        const char c = text_[at_];
        if (c == '{') {
            value.kind = JsonValue::Kind::Object;
            ++at_;
            SkipSpace();
            if (Take('}')) return value;
            do {
                SkipSpace();
                if (at_ >= text_.size() || text_[at_] != '"') Fail("expected a name in quotes");
                std::string name = String();
                SkipSpace();
                if (!Take(':')) Fail("expected ':' after a name");
                SkipSpace();
                value.members.push_back({std::move(name), Value(depth + 1)});
                SkipSpace();
            } while (Take(','));
            if (!Take('}')) Fail("expected ',' or '}' in an object");
        } else if (c == '[') {
            value.kind = JsonValue::Kind::Array;
            ++at_;
            SkipSpace();
            if (Take(']')) return value;
            do {
                SkipSpace();
                value.items.push_back(Value(depth + 1));
                SkipSpace();
            } while (Take(','));
            if (!Take(']')) Fail("expected ',' or ']' in an array");
        } else if (c == '"') {
            value.kind = JsonValue::Kind::String;
            value.text = String();
        } else if (TakeWord("true") || TakeWord("false")) {
            value.kind = JsonValue::Kind::Boolean;
            value.boolean = c == 't';
        } else if (TakeWord("null")) {
            value.kind = JsonValue::Kind::Null;
        } else {
            value.kind = JsonValue::Kind::Number;
            value.text = Number();
        }
        return value;
    }

    // -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
    std::string Number() {
        const std::size_t start = at_;
        const auto digits = [&] {
            const std::size_t from = at_;
            while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
            return at_ > from;
        };
        Take('-');
        if (Take('0')) {
        } else if (!digits()) {
            Fail("expected a value");
        }
        if (Take('.') && !digits()) Fail("a number without digits after its point");
        if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
            ++at_;
            if (!Take('+')) Take('-');
            if (!digits()) Fail("a number without digits in its exponent");
        }
        return std::string(text_.substr(start, at_ - start));
    }

    unsigned Hex4() {
        if (at_ + 4 > text_.size()) Fail("a \\u escape without four hex digits");
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[at_++];
            value <<= 4;
            if (c >= '0' && c <= '9') value |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f') value |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F') value |= static_cast<unsigned>(c - 'A' + 10);
            else Fail("a \\u escape without four hex digits");
        }
        return value;
    }


    std::string String() {
        ++at_;  // the opening quote
        std::string out;
        while (true) {
            // The plain run up to the next quote, escape or control character, at once.
            const std::size_t start = at_;
            while (at_ < text_.size() && text_[at_] != '"' && text_[at_] != '\\' &&
                   static_cast<unsigned char>(text_[at_]) >= 0x20)
                ++at_;
            out.append(text_.data() + start, at_ - start);
            if (at_ >= text_.size()) Fail("a string without its closing quote");
            const char c = text_[at_++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20) Fail("a control character inside a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ >= text_.size()) Fail("a string without its closing quote");
            switch (const char escape = text_[at_++]) {
                case '"': case '\\': case '/': out += escape; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': {
                    unsigned code = Hex4();
                    if (code >= 0xD800 && code < 0xDC00) {
                        if (!TakeWord("\\u")) Fail("half of a surrogate pair");
                        const unsigned low = Hex4();
                        if (low < 0xDC00 || low >= 0xE000) Fail("half of a surrogate pair");
                        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                    } else if (code >= 0xDC00 && code < 0xE000) {
                        Fail("half of a surrogate pair");
                    }
                    AppendUtf8(out, static_cast<char32_t>(code));
                    break;
                }
                default: Fail("an unknown escape in a string");
            }
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t line_ = 1;
};

}  // namespace

const JsonValue* JsonValue::Find(std::string_view name) const {
    for (const JsonMember& member : members)
        if (member.name == name) return &member.value;
    return nullptr;
}

JsonValue ParseJson(std::string_view text) { return JsonParser(text).Document(); }

void ForEachJsonItem(std::string_view text, const std::function<void(JsonValue&&, std::size_t)>& each) {
    JsonParser(text).Items(each);
}

std::string JsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

std::string JsonQuoted(std::string_view text) {
    // JSON text is UTF-8 (RFC 8259 section 8.1): bytes that are none become U+FFFD.
    std::string out = "\"";
    for (const char c : WellFormedUtf8(text)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

}  // namespace azimora
