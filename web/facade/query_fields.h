// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "report/input_rules.h"

// The page's query, "lat=54.6N&lon=5.9W&sat=19.2E&dish=0,8", read as the
// engine reads typed text everywhere: each value percent-decoded as a
// form's ('+' a blank, "%C2%B0" a degree sign), so that what reaches the
// readers, and any message, is the text the user typed; each field by its
// rule of report/input_rules.h.
namespace azimora::web {

// The decoded value of a key, empty when absent. An escape that is none
// ("%2", "%zz") stays as written.
[[nodiscard]] std::string Field(std::string_view query, std::string_view key);

// The rule of a key the page sends; throws Error for any other.
[[nodiscard]] const InputRule& RuleOf(std::string_view key);

// A field of the query by its rule; the rule's fallback where it is empty,
// else fallback; Error for an empty angle (a site and a satellite are never
// assumed) and for what the rule refuses.
[[nodiscard]] double FieldOr(std::string_view query, std::string_view key, double fallback);

// Every field of the query the page knows, each read: its value and the
// text the page's address gives it ("54.6N", "0.8"), or its error, as JSON:
// {"lat": {"value": 54.6, "link": "54.6N"}, "dish": {"error": "..."}}.
[[nodiscard]] std::string ReadFieldsJson(std::string_view query);

}  // namespace azimora::web
