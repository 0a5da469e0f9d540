// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "lists/list_file_writing.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <optional>

#include "errors.h"
#include "lists/file_descriptor.h"
#include "lists/list_file_lock.h"
#include "lists/system_errors.h"
#include "text/text_encoding.h"

namespace azimora {
namespace {

// Saving refuses pipes and devices: writing there blocks or loses the record.
constexpr int kNotAListFileCode = 5;  // "File access denied"

// Made first and looked at after: another saver may make the folder at any
// moment, and a folder that is there when we look is all we need.
void EnsureFolder(const std::filesystem::path& folder) {
    if (::mkdir(folder.c_str(), 0777) == 0) return;
    if (errno != EEXIST) ThrowInOut(errno);
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) return;
        ThrowInOut(ENOTDIR);  // a file is in the way
    }
    // Something has the name but leads nowhere: a link whose target is gone.
    ThrowInOut(errno);
}

// Opens the list for appending, and for reading its last bytes when allowed.
FileDescriptor OpenForAppending(const std::filesystem::path& file, bool& readable) {
    // Looked at before opening: opening a device can have effects of its own.
    struct stat info {};
    if (::stat(file.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) throw InOutError(kNotAListFileCode);
    } else if (errno != ENOENT) {
        ThrowInOut(errno);
    }
    readable = true;
    FileDescriptor fd(::open(file.c_str(), O_RDWR | O_APPEND | O_CREAT | kListOpenFlags, 0666));
    if (!fd.valid() && errno == EACCES) {
        // A list the user may append to but not read.
        readable = false;
        fd = FileDescriptor(::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | kListOpenFlags, 0666));
    }
    if (!fd.valid()) ThrowInOut(errno);
    // Something else may have taken the name between the two looks.
    if (::fstat(fd.get(), &info) != 0) ThrowInOut(errno);
    if (!S_ISREG(info.st_mode)) throw InOutError(kNotAListFileCode);
    return fd;
}

// The file a list's name leads to through symbolic links: a list kept in a
// synced folder is replaced there, and the link stays a link.
std::filesystem::path LinkTarget(const std::filesystem::path& file) {
    std::filesystem::path current = file;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : PATH_MAX) + 1, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length < 0) ThrowInOut(errno);
        target.resize(static_cast<std::size_t>(length));
        const std::filesystem::path next(target);
        current = next.is_absolute() ? next : (current.parent_path() / next).lexically_normal();
    }
    ThrowInOut(ELOOP);
}

// The last byte of a list this process may write but not read, when it is
// the owner's: read permission for the owner lent for the moment of opening
// it, the file's mode put back at once. Nullopt when it cannot be had.
std::optional<char> LastByteOfWriteOnly(int fd, const std::filesystem::path& target, off_t size) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_uid != ::geteuid()) return std::nullopt;
    if (::fchmod(fd, info.st_mode | S_IRUSR) != 0) return std::nullopt;
    const FileDescriptor reader(::open(target.c_str(), O_RDONLY | kListOpenFlags));
    const int restored = ::fchmod(fd, info.st_mode & 07777);
    char last = 0;
    if (!reader.valid() || restored != 0 || ::pread(reader.get(), &last, 1, size - 1) != 1) return std::nullopt;
    return last;
}

// What has to go before the records at the end of a file of size bytes: a
// line break when the last line has none, so that the first record is a
// line of its own (also when the end cannot be read: a blank line reads
// back with a message, a glued record as a wrong value); a byte order mark
// before a first record that itself starts with U+FEFF, which would
// otherwise be taken for the mark and lost.
std::string RecordPrefix(int fd, const std::filesystem::path& target, off_t size, bool readable,
                         std::string_view firstLine) {
    if (size == 0) return firstLine.starts_with(kByteOrderMark) ? std::string(kByteOrderMark) : std::string();
    if (!readable) {
        // Without its last byte a break goes in to be safe: a record glued to
        // the last line would change its value.
        const auto last = LastByteOfWriteOnly(fd, target, size);
        return last && (*last == '\n' || *last == '\r') ? std::string() : std::string("\r\n");
    }
    char tail[3] = {};
    const auto want = static_cast<std::size_t>(std::min<off_t>(size, 3));
    if (::pread(fd, tail, want, size - static_cast<off_t>(want)) != static_cast<ssize_t>(want)) return "\r\n";
    if (size == 3 && std::string_view(tail, 3) == kByteOrderMark) return {};  // the mark alone
    const char last = tail[want - 1];
    return last == '\n' || last == '\r' ? std::string() : std::string("\r\n");
}

// Writes all of bytes, or returns the error number of the failure.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (written == 0) return ENOSPC;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// The first size bytes of from into to; the error number of a failure, or 0.
int CopyStart(int from, int to, off_t size) {
    off_t offset = 0;
    while (offset < size) {
        const auto want = static_cast<std::size_t>(std::min<off_t>(size - offset, off_t{1} << 24));
        const ssize_t copied = ::copy_file_range(from, &offset, to, nullptr, want, 0);
        if (copied > 0) continue;
        if (copied == 0) return EIO;  // the file shrank under us
        if (errno == EINTR) continue;
        if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP) return errno;
        // A file system that cannot copy by itself: through a buffer.
        char buffer[65536];
        while (offset < size) {
            const ssize_t count = ::pread(from, buffer, static_cast<std::size_t>(std::min<off_t>(size - offset, sizeof buffer)), offset);
            if (count < 0 && errno == EINTR) continue;
            if (count <= 0) return count == 0 ? EIO : errno;
            if (const int error = WriteAll(to, std::string_view(buffer, static_cast<std::size_t>(count)))) return error;
            offset += count;
        }
    }
    return 0;
}

std::string TemporaryPrefix(const std::filesystem::path& file) {
    // Appended piece by piece: GCC 12 at -O2 misreads "." + std::string as an
    // overlapping copy (-Wrestrict).
    std::string prefix = ".";
    prefix += file.filename().string();
    prefix += ".saving-";
    return prefix;
}

// A saver killed half-way leaves its new file behind; whoever holds the lock
// next knows that no save is under way, and removes it.
void RemoveLeftovers(const std::filesystem::path& file) {
    const std::string prefix = TemporaryPrefix(file);
    std::error_code ec;
    for (std::filesystem::directory_iterator it(file.parent_path(), ec), end; !ec && it != end; it.increment(ec))
        if (it->path().filename().string().starts_with(prefix)) ::unlink(it->path().c_str());
}

// The old content and the records in a new file beside the old one, synced,
// then renamed over it: a process killed at any instruction, a file-size
// limit or a full disk leaves the old file as it was, or the new one whole.
void ReplaceWithAppended(int fd, const std::filesystem::path& file, const struct stat& old, std::string_view records) {
    RemoveLeftovers(file);
    std::string name = (file.parent_path() / TemporaryPrefix(file)).string() + "XXXXXX";
    const FileDescriptor fresh(::mkostemp(name.data(), O_CLOEXEC));
    if (!fresh.valid()) ThrowInOut(errno);
    // The list keeps its permissions and, where we may, its owner.
    int error = ::fchmod(fresh.get(), old.st_mode & 07777) != 0 ? errno : 0;
    if (error == 0 && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
        if (::fchown(fresh.get(), old.st_uid, old.st_gid) != 0) {
            // Not ours to give away: the file stays the saver's.
        }
    }
    if (error == 0) error = CopyStart(fd, fresh.get(), old.st_size);
    if (error == 0) error = WriteAll(fresh.get(), records);
    // On the disk before it takes the list's name; a full disk can show only here.
    if (error == 0 && ::fsync(fresh.get()) != 0) error = errno;
    if (error == 0 && ::rename(name.c_str(), file.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(name.c_str());
        ThrowInOut(error);
    }
    // The new name on the disk too. The records are in the list now: a failure
    // here must not make the user save them a second time.
    const FileDescriptor folder(::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid()) ::fsync(folder.get());
}

// A list that can be written but not read cannot be copied: the records go
// at its end, and a failed write is cut off again.
void AppendInPlace(int fd, off_t oldSize, std::string_view records) {
    int error = WriteAll(fd, records);
    if (error == 0 && ::fdatasync(fd) != 0 && errno != EINVAL) error = errno;
    if (error != 0) {
        while (::ftruncate(fd, oldSize) != 0 && errno == EINTR) {
        }
        ThrowInOut(error);
    }
}

}  // namespace

void AppendListFileLines(const std::filesystem::path& file, std::span<const std::string> lines) {
    if (lines.empty()) return;
    EnsureFolder(file.parent_path());
    const std::filesystem::path target = LinkTarget(file);
    std::string records;
    for (const std::string& line : lines) records.append(line).append("\r\n");

    const auto giveUp = std::chrono::steady_clock::now() + kListLockPatience;
    while (true) {
        bool readable = false;
        const FileDescriptor fd = OpenForAppending(target, readable);
        LockListFile(fd.get(), giveUp);
        // Another save may have put a new file in its place while we waited:
        // that one is the list now.
        if (!StillNamed(fd.get(), target)) {
            if (std::chrono::steady_clock::now() >= giveUp) throw Error(kListInUseMessage);
            continue;
        }
        struct stat info {};
        if (::fstat(fd.get(), &info) != 0) ThrowInOut(errno);
        records.insert(0, RecordPrefix(fd.get(), target, info.st_size, readable, lines.front()));
        if (readable) {
            ReplaceWithAppended(fd.get(), target, info, records);
        } else {
            AppendInPlace(fd.get(), info.st_size, records);
        }
        return;
    }
}

void AppendListFileLine(const std::filesystem::path& file, std::string_view line) {
    const std::string lines[] = {std::string(line)};
    AppendListFileLines(file, lines);
}

}  // namespace azimora
