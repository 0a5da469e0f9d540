// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// XML read as a stream of start tags, end tags and text, for the outside
// formats that come as XML (orbit mean-elements messages). Enough of XML
// 1.0 for data files: attributes are read past, comments, processing
// instructions and CDATA sections are understood, the five predefined
// entities and character references are decoded. A document type
// declaration is refused: its entities are how XML files attack readers.
namespace azimora {

class XmlPullReader {
public:
    enum class Token { StartElement, EndElement, Text, End };

    explicit XmlPullReader(std::string_view text) : text_(text) {}

    // The next token; throws Error "line 3: ..." for text that is no XML.
    Token Next();

    // Of the last start or end element: its name without a namespace prefix.
    [[nodiscard]] std::string_view Name() const noexcept { return name_; }
    // Of the last text: decoded.
    [[nodiscard]] const std::string& Text() const noexcept { return value_; }
    // The line of the last token, from 1.
    [[nodiscard]] std::size_t Line() const noexcept { return tokenLine_; }

private:
    [[noreturn]] void Fail(const std::string& what) const;
    void Advance(std::size_t count);
    std::size_t Find(std::string_view what) const;
    void Decode(std::string_view raw, std::string& out) const;

    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t line_ = 1;
    std::size_t tokenLine_ = 1;
    std::string_view name_;
    std::string value_;
    bool pendingEnd_ = false;            // a self-closing element gives its end next
    std::vector<std::string_view> open_;  // the elements not yet closed, as written
};

}  // namespace azimora
