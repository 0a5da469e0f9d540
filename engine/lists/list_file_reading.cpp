// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "lists/list_file_reading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>
#include <utility>

#include "errors.h"
#include "lists/file_descriptor.h"
#include "lists/system_errors.h"
#include "text/text_encoding.h"

namespace azimora {

bool ForEachListFileLine(const std::filesystem::path& file, const std::function<void(ListLine&&)>& each) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) {
        // No such file, or a plain file where a folder of the path should be.
        if (errno == ENOENT || errno == ENOTDIR) return false;
        ThrowCannotOpen(file, errno);  // the folder cannot be searched, ...
    }
    if (S_ISDIR(info.st_mode)) return false;
    // A pipe or a device could block or never end: only plain files are read.
    if (!S_ISREG(info.st_mode)) ThrowCannotOpen(file, "Not a regular file");

    const FileDescriptor fd(::open(file.c_str(), O_RDONLY | kListOpenFlags));
    if (!fd.valid() && errno == ENOENT) return false;  // removed since we looked
    if (!fd.valid()) ThrowCannotOpen(file, errno);
    if (::fstat(fd.get(), &info) != 0) ThrowCannotOpen(file, errno);
    if (!S_ISREG(info.st_mode)) ThrowCannotOpen(file, "Not a regular file");

    // A list that size is no list of ours (or a sparse file): reading it
    // would take the memory of the whole machine.
    if (info.st_size > kMaxListFileBytes) throw ListTooLargeError(file.filename().string());
    // Line by line as the blocks come: the file is never held whole, and a
    // line costs only while it is handed on.
    std::string line;
    bool overlong = false;
    bool first = true;
    bool afterCr = false;  // a CR ended the last line: an LF at once belongs to it
    long long total = 0;
    const auto finish = [&] {
        std::string_view raw = line;
        if (first && raw.starts_with(kByteOrderMark) && IsValidUtf8(raw)) raw.remove_prefix(kByteOrderMark.size());
        first = false;
        each(overlong ? ListLine{{}, true} : ListLine{DecodeListLine(raw), false});
        line.clear();
        overlong = false;
    };
    char buffer[65536];
    while (true) {
        const ssize_t count = ::read(fd.get(), buffer, sizeof buffer);
        if (count == 0) break;
        if (count < 0) {
            if (errno == EINTR) continue;
            ThrowCannotOpen(file, errno);
        }
        total += count;
        if (total > kMaxListFileBytes) throw ListTooLargeError(file.filename().string());
        for (const char c : std::string_view(buffer, static_cast<std::size_t>(count))) {
            if (afterCr) {
                afterCr = false;
                if (c == '\n') continue;
            }
            if (c == '\r' || c == '\n') {
                afterCr = c == '\r';
                finish();
                continue;
            }
            if (line.size() < kMaxListLineBytes) {
                line += c;
            } else {
                overlong = true;
            }
        }
    }
    // A last line without a break counts.
    if (!line.empty() || overlong) finish();
    return true;
}

std::optional<std::vector<ListLine>> ReadListFileLines(const std::filesystem::path& file) {
    std::vector<ListLine> lines;
    if (!ForEachListFileLine(file, [&](ListLine&& line) { lines.push_back(std::move(line)); })) return std::nullopt;
    return lines;
}

}  // namespace azimora
