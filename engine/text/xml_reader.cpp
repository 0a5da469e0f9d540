// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "text/xml_reader.h"

#include <charconv>

#include "errors.h"
#include "text/text_encoding.h"

namespace azimora {
namespace {

constexpr std::size_t kMaxDepth = 256;

bool NameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
           c == '.' || c == ':' || static_cast<unsigned char>(c) >= 0x80;
}

std::string_view LocalName(std::string_view name) {
    const std::size_t colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

}  // namespace

void XmlPullReader::Fail(const std::string& what) const {
    throw Error("line " + std::to_string(line_) + ": " + what);
}

void XmlPullReader::Advance(std::size_t count) {
    for (std::size_t i = 0; i < count && at_ < text_.size(); ++i, ++at_)
        if (text_[at_] == '\n') ++line_;
}

std::size_t XmlPullReader::Find(std::string_view what) const { return text_.find(what, at_); }

void XmlPullReader::Decode(std::string_view raw, std::string& out) const {
    out.clear();
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '&') {
            out += raw[i];
            continue;
        }
        const std::size_t semicolon = raw.find(';', i);
        if (semicolon == std::string_view::npos) Fail("an '&' without its ';'");
        const std::string_view entity = raw.substr(i + 1, semicolon - i - 1);
        if (entity == "lt") out += '<';
        else if (entity == "gt") out += '>';
        else if (entity == "amp") out += '&';
        else if (entity == "quot") out += '"';
        else if (entity == "apos") out += '\'';
        else if (entity.size() > 1 && entity[0] == '#') {
            const bool hex = entity[1] == 'x';
            const std::string_view digits = entity.substr(hex ? 2 : 1);
            unsigned long code = 0;
            const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
            if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || code == 0 ||
                code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
                Fail("a character reference that names no character");
            AppendUtf8(out, static_cast<char32_t>(code));
        } else {
            Fail("an entity XML does not define: &" + std::string(entity) + ";");
        }
        i = semicolon;
    }
}

XmlPullReader::Token XmlPullReader::Next() {
    if (pendingEnd_) {
        pendingEnd_ = false;
        open_.pop_back();
        return Token::EndElement;
    }
    while (at_ < text_.size()) {
        tokenLine_ = line_;
        if (text_[at_] != '<') {
            const std::size_t open = Find("<");
            const std::size_t end = open == std::string_view::npos ? text_.size() : open;
            const std::string_view raw = text_.substr(at_, end - at_);
            Decode(raw, value_);
            Advance(end - at_);
            if (open_.empty()) {
                if (value_.find_first_not_of(" \t\r\n") != std::string::npos) Fail("text outside the root element");
                continue;
            }
            return Token::Text;
        }
        const std::string_view rest = text_.substr(at_);
        if (rest.starts_with("<!--")) {
            const std::size_t close = Find("-->");
            if (close == std::string_view::npos) Fail("a comment without its end");
            Advance(close + 3 - at_);
            continue;
        }
        if (rest.starts_with("<?")) {
            const std::size_t close = Find("?>");
            if (close == std::string_view::npos) Fail("a processing instruction without its end");
            Advance(close + 2 - at_);
            continue;
        }
        if (rest.starts_with("<![CDATA[")) {
            const std::size_t close = Find("]]>");
            if (close == std::string_view::npos) Fail("a CDATA section without its end");
            value_.assign(text_.substr(at_ + 9, close - at_ - 9));
            Advance(close + 3 - at_);
            if (open_.empty()) Fail("text outside the root element");
            return Token::Text;
        }
        if (rest.starts_with("<!")) Fail("a document type declaration, which this reader does not take");
        const bool closing = rest.starts_with("</");
        std::size_t nameStart = at_ + (closing ? 2 : 1), nameEnd = nameStart;
        while (nameEnd < text_.size() && NameCharacter(text_[nameEnd])) ++nameEnd;
        if (nameEnd == nameStart) Fail("a '<' that starts no element");
        const std::string_view written = text_.substr(nameStart, nameEnd - nameStart);
        name_ = LocalName(written);
        // Attributes are read past, quotes and all.
        std::size_t end = nameEnd;
        char quote = 0;
        for (; end < text_.size(); ++end) {
            const char c = text_[end];
            if (quote != 0) {
                if (c == quote) quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                break;
            } else if (c == '<') {
                Fail("a '<' inside a tag");
            }
        }
        if (end >= text_.size()) Fail("a tag without its '>'");
        const bool selfClosing = !closing && text_[end - 1] == '/';
        Advance(end + 1 - at_);
        if (closing) {
            if (open_.empty()) Fail("an end tag without its start");
            if (open_.back() != written)
                Fail("</" + std::string(written) + "> where </" + std::string(open_.back()) + "> belongs");
            open_.pop_back();
            return Token::EndElement;
        }
        open_.push_back(written);
        if (open_.size() > kMaxDepth) Fail("elements nested deeper than " + std::to_string(kMaxDepth));
        pendingEnd_ = selfClosing;
        return Token::StartElement;
    }
    if (!open_.empty()) Fail("the text ends inside an element");
    return Token::End;
}

}  // namespace azimora
