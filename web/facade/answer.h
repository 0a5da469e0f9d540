// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "text/json_reader.h"

// How each of the page's WebAssembly modules answers: a C function that
// takes text and gives text (JSON), kept until its next call, so that the
// page's JavaScript needs no binding library; an error as {"error": "..."}.
#if defined(__EMSCRIPTEN__)
#include <emscripten/emscripten.h>
#define AZIMORA_EXPORT extern "C" EMSCRIPTEN_KEEPALIVE
#else
#define AZIMORA_EXPORT extern "C"
#endif

namespace azimora::web {

// The answer of the last call, kept until the next: the page copies it out.
inline const char* Give(std::string text) {
    static std::string answer;
    answer = std::move(text);
    return answer.c_str();
}

inline const char* Refuse(const std::string& message) { return Give("{\"error\": " + JsonQuoted(message) + "}"); }

}  // namespace azimora::web
