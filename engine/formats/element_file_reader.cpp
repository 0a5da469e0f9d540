// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "formats/element_file_reader.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <fstream>
#include <future>
#include <mutex>
#include <thread>

#include "errors.h"
#include "formats/orbit_mean_elements.h"
#include "text/text_encoding.h"

namespace azimora {
namespace {

constexpr std::size_t kBlockBytes = 2 << 20;

bool IsBreak(char c) { return c == '\n' || c == '\r'; }

// The line that ends just before position end (end at a line break, or the
// text's end): its start.
std::size_t StartOfLineEndingAt(std::string_view text, std::size_t end) {
    std::size_t start = end;
    while (start > 0 && !IsBreak(text[start - 1])) --start;
    return start;
}

// The start of the line before the one that starts at start (one break
// between them), or npos when there is none.
std::size_t StartOfLineBefore(std::string_view text, std::size_t start) {
    if (start == 0) return std::string_view::npos;
    std::size_t end = start - 1;  // a break character
    if (text[end] == '\n' && end > 0 && text[end - 1] == '\r') --end;
    return StartOfLineEndingAt(text, end);
}

// Where a block may end: right after a line 2 that follows its line 1, the
// end of a whole element set. The length of the text up to there, or 0.
std::size_t LastSetEnd(std::string_view text) {
    // Whole lines only: what follows the last break is still being read.
    std::size_t after = text.size();
    while (after > 0 && !IsBreak(text[after - 1])) --after;
    while (after > 0) {
        std::size_t end = after;
        while (end > 0 && IsBreak(text[end - 1])) --end;  // the line's break, and blank lines
        const std::size_t start = StartOfLineEndingAt(text, end);
        if (text.substr(start, end - start).starts_with("2 ")) {
            const std::size_t previous = StartOfLineBefore(text, start);
            if (previous != std::string_view::npos && text.substr(previous).starts_with("1 ")) return after;
        }
        after = start;
    }
    return 0;
}

// The lines a text holds, as SplitLines counts them.
std::size_t LineCount(std::string_view text) {
    std::size_t lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++lines;
        } else if (text[i] == '\r') {
            ++lines;
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        }
    }
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') ++lines;
    return lines;
}

ElementBlock ReadBlock(const std::string& text, std::size_t firstLine, UnixSeconds instant) {
    ElementSetReader reader(instant, firstLine);
    for (const std::string_view line : SplitLines(text)) reader.AddLine(line);
    reader.Finish();
    ElementSetFile& file = reader.Result();
    return {std::move(file.objects), std::move(file.skipped), file.skippedCount};
}

}  // namespace

std::optional<std::string> ReadWholeMessages(std::istream& in, std::string start, ElementFileProgress* progress) {
    std::string text = std::move(start);
    std::string rest(kBlockBytes, '\0');
    while (in) {
        in.read(rest.data(), static_cast<std::streamsize>(rest.size()));
        text.append(rest.data(), static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxOmmFileBytes)
            throw Error("orbit mean-elements messages of more than " + std::to_string(kMaxOmmFileBytes >> 20) +
                        " MB are not read");
        if (progress == nullptr) continue;
        progress->bytesRead = text.size();
        if (progress->cancelled) return std::nullopt;
    }
    return text;
}

ElementFileSummary ReadElementFile(const std::filesystem::path& file, UnixSeconds instant, ElementFileProgress& progress,
                                   const std::function<void(ElementBlock&&)>& takeBlock, unsigned threads) {
    std::error_code ec;
    // Only a regular file: a FIFO would block the reading, a device never end.
    if (std::filesystem::exists(file, ec) && !std::filesystem::is_regular_file(file, ec))
        throw Error("Cannot read \"" + file.string() + "\": it is no regular file (a folder, a FIFO or a device), "
                    "and element files are");
    std::ifstream in(file, std::ios::binary);
    if (!in) throw Error("Cannot read \"" + file.string() + "\": " + std::strerror(errno == 0 ? ENOENT : errno));
    progress.bytesTotal = std::filesystem::file_size(file, ec);
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());

    // Orbit mean-elements messages are read whole: their records are not
    // lines to cut between, and publishers' files of them are small.
    std::string start(4096, '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(in.gcount()));
    if (SniffElementFormat(start) != ElementFormat::TwoLine) {
        if (progress.bytesTotal > kMaxOmmFileBytes)
            throw Error("\"" + file.string() + "\" holds orbit mean-elements messages of more than " +
                        std::to_string(kMaxOmmFileBytes >> 20) + " MB: too large to read");
        const auto text = ReadWholeMessages(in, std::move(start), &progress);
        if (!text) return {0, 0, true};
        if (in.bad()) throw Error("Cannot read \"" + file.string() + "\": " + std::strerror(errno));
        ElementSetFile read = ReadOrbitElements(*text, instant);
        ElementFileSummary summary{read.objects.size(), read.skippedCount, false};
        takeBlock({std::move(read.objects), std::move(read.skipped), read.skippedCount});
        return summary;
    }
    in.clear();
    in.seekg(0);

    ElementFileSummary summary;
    std::deque<std::future<ElementBlock>> running;
    const auto deliverFirst = [&] {
        ElementBlock block = running.front().get();
        running.pop_front();
        summary.objects += block.objects.size();
        summary.skippedCount += block.skippedCount;
        takeBlock(std::move(block));
    };
    std::string carried;
    std::size_t nextLine = 1;
    std::string buffer(kBlockBytes, '\0');
    bool atEnd = false;
    while (!atEnd) {
        if (progress.cancelled) {
            summary.cancelled = true;
            break;
        }
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto count = static_cast<std::size_t>(in.gcount());
        if (in.bad()) throw Error("Cannot read \"" + file.string() + "\": " + std::strerror(errno));
        atEnd = count < buffer.size();
        progress.bytesRead += count;
        carried.append(buffer.data(), count);
        // A block of whole sets; the rest waits for the next read (or is the end).
        std::size_t cut = atEnd ? carried.size() : LastSetEnd(carried);
        if (cut == 0) {
            // No set ends in two blocks' worth: no element file; take it as it is.
            if (carried.size() < 2 * kBlockBytes) continue;
            cut = carried.size();
        }
        std::string block = carried.substr(0, cut);
        carried.erase(0, cut);
        const std::size_t firstLine = nextLine;
        nextLine += LineCount(block);
        running.push_back(std::async(std::launch::async, [text = std::move(block), firstLine, instant] {
            return ReadBlock(text, firstLine, instant);
        }));
        // A few blocks in flight: memory stays bounded, the cores stay busy.
        while (running.size() > threads) deliverFirst();
    }
    while (!running.empty()) deliverFirst();
    return summary;
}

}  // namespace azimora
