// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// What the fuzz targets share: a scratch program folder, reading and
// writing whole files, and a loud stop when an expectation fails (libFuzzer
// records the input that led there).
namespace azimora::fuzzing {

// One folder for the whole run, emptied by each input that uses it.
inline const std::filesystem::path& ScratchFolder() {
    static const std::filesystem::path folder = [] {
        std::string name = (std::filesystem::temp_directory_path() / "azimora-fuzz-XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr) std::abort();
        return std::filesystem::path(name);
    }();
    return folder;
}

inline void ClearScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(ScratchFolder() / "data", ec);
}

inline void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr) std::abort();
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) std::abort();
    std::fclose(out);
}

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::string bytes;
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (in == nullptr) return bytes;
    char buffer[4096];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, in)) > 0) bytes.append(buffer, count);
    std::fclose(in);
    return bytes;
}

// Parts of an input separated by NUL bytes, so that seeds can be written by hand.
inline std::vector<std::string_view> SplitAtNul(std::string_view input) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= input.size(); ++i) {
        if (i == input.size() || input[i] == '\0') {
            parts.push_back(input.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "expectation failed: %s\n", what);
    std::abort();
}

inline void Expect(bool condition, const char* what) {
    if (!condition) Fail(what);
}

}  // namespace azimora::fuzzing
