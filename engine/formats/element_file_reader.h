// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "formats/two_line_elements.h"

// A file of two-line element sets of any size (a whole catalogue is 100 MB
// and more) read as a stream, in blocks placed on several threads at once:
// memory stays a few blocks however large the file, and the objects arrive
// in file order, a block at a time, for the caller to keep in whatever form
// it needs. A file of orbit mean-elements messages is read whole, as one block.
namespace azimora {

struct ElementFileProgress {
    std::atomic<std::uint64_t> bytesRead{0};
    std::uint64_t bytesTotal = 0;        // set when the file is opened
    std::atomic<bool> cancelled{false};  // set by another thread: the reading stops soon
};

struct ElementBlock {
    std::vector<GeostationaryObject> objects;
    std::vector<std::string> skipped;  // at most kMaxListedSkips of them
    std::size_t skippedCount = 0;
};

struct ElementFileSummary {
    std::size_t objects = 0;
    std::size_t skippedCount = 0;
    bool cancelled = false;
};

// Orbit mean-elements messages (XML, KVN, JSON, CSV) are read whole, up to this size.
inline constexpr std::uint64_t kMaxOmmFileBytes = 256ull << 20;

// The rest of a stream of orbit mean-elements messages whose first bytes,
// start, were read already to tell the format: the whole text, up to
// kMaxOmmFileBytes (Error past that). With progress, its bytes are counted
// and a cancel gives nullopt.
[[nodiscard]] std::optional<std::string> ReadWholeMessages(std::istream& in, std::string start,
                                                           ElementFileProgress* progress = nullptr);

// Calls takeBlock on the calling thread, block after block in file order.
// Throws Error when the file cannot be read.
ElementFileSummary ReadElementFile(const std::filesystem::path& file, UnixSeconds instant, ElementFileProgress& progress,
                                   const std::function<void(ElementBlock&&)>& takeBlock, unsigned threads = 0);

}  // namespace azimora
