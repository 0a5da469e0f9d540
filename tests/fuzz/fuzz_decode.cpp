// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The decoding of a list line: the result is always UTF-8, a line that is
// UTF-8 already comes through unchanged, and every other byte becomes one
// character.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "text/text_encoding.h"

using namespace azimora;
using namespace azimora::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = DecodeListLine(bytes);
    Expect(IsValidUtf8(text), "decoded text is UTF-8");
    if (IsValidUtf8(bytes)) {
        Expect(text == bytes, "UTF-8 stays as it is");
        return 0;
    }
    std::size_t characters = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;
    Expect(characters == bytes.size(), "one character per Windows-1252 byte");
    return 0;
}
