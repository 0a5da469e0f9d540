// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// JSON (RFC 8259) read into a small tree, for the outside formats that come
// as JSON (orbit mean-elements messages). Numbers keep the text they were
// written with, so that the format's reader converts them as it needs.
// Nesting is limited, so that no input runs the stack out.
namespace azimora {

struct JsonMember;

struct JsonValue {
    enum class Kind { Null, Boolean, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    std::string text;  // a string, decoded to UTF-8; a number as written
    std::vector<JsonValue> items;
    std::vector<JsonMember> members;  // in the order written
    std::size_t line = 0;                                     // where the value starts, from 1

    // The member of this name; nullptr when there is none (or this is no object).
    [[nodiscard]] const JsonValue* Find(std::string_view name) const;
};

struct JsonMember {
    std::string name;
    JsonValue value;
};

inline constexpr std::size_t kMaxJsonDepth = 64;

// A text as a JSON string, quotes and all; control characters escaped,
// bytes that are no UTF-8 written as U+FFFD.
[[nodiscard]] std::string JsonQuoted(std::string_view text);

// A number for JSON (or CSV): up to 15 significant digits, '.' as the
// point; "null" for what is not a finite number.
[[nodiscard]] std::string JsonNumber(double value);

// Throws Error "line 3: ..." for text that is no JSON.
[[nodiscard]] JsonValue ParseJson(std::string_view text);

// A document that is an array, item by item (from 1), each parsed and
// handed over before the next is read: the array is never held whole. A
// document of another kind is one item. Throws as ParseJson, after the
// items before the fault.
void ForEachJsonItem(std::string_view text, const std::function<void(JsonValue&& item, std::size_t index)>& each);

}  // namespace azimora
