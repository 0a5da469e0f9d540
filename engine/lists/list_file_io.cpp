// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "lists/list_file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <climits>
#include <chrono>
#include <cstring>
#include <thread>
#include <utility>

#include "errors.h"
#include "text/text_encoding.h"

namespace azimora {
namespace {

// Closes on every way out; the result of close() is of no interest here
// (see AppendListFileLine).
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) noexcept : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    [[nodiscard]] int get() const noexcept { return fd_; }
    [[nodiscard]] bool valid() const noexcept { return fd_ >= 0; }

private:
    int fd_;
};

[[noreturn]] void ThrowCannotOpen(const std::filesystem::path& file, const std::string& cause) {
    throw FileOpenError("Cannot open file \"" + std::filesystem::absolute(file).string() + "\". " + cause);
}

[[noreturn]] void ThrowCannotOpen(const std::filesystem::path& file, int error) {
    ThrowCannotOpen(file, std::strerror(error));
}

[[noreturn]] void ThrowInOut(int error) { throw InOutErrorOfErrno(error); }

// Saving refuses pipes and devices: writing there blocks or loses the record.
constexpr int kNotAListFileCode = 5;  // "File access denied"

constexpr int kOpenFlags = O_CLOEXEC | O_NONBLOCK;

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
    FileDescriptor fd(::open(file.c_str(), O_RDWR | O_APPEND | O_CREAT | kOpenFlags, 0666));
    if (!fd.valid() && errno == EACCES) {
        // A list the user may append to but not read.
        readable = false;
        fd = FileDescriptor(::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | kOpenFlags, 0666));
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

// Waits a short, bounded time for saves of other programs: an editor can
// hold a lock for hours, and the window must not wait with it.
void LockBy(int fd, std::chrono::steady_clock::time_point giveUp) {
    // Our own saves hold it for a moment only: look again soon, then less often.
    std::chrono::microseconds pause(100);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) ThrowInOut(errno);
        if (std::chrono::steady_clock::now() >= giveUp) throw Error(kListInUseMessage);
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(10000));
    }
}

bool StillNamed(int fd, const std::filesystem::path& file) {
    struct stat open {}, named {};
    return ::fstat(fd, &open) == 0 && ::stat(file.c_str(), &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
}

// What has to go before the records at the end of a file of size bytes: a
// line break when the last line has none, so that the first record is a
// line of its own (also when the end cannot be read: a blank line reads
// back with a message, a glued record as a wrong value); a byte order mark
// before a first record that itself starts with U+FEFF, which would
// otherwise be taken for the mark and lost.
// The last byte of a list this process may write but not read, when it is
// the owner's: read permission for the owner lent for the moment of opening
// it, the file's mode put back at once. Nullopt when it cannot be had.
std::optional<char> LastByteOfWriteOnly(int fd, const std::filesystem::path& target, off_t size) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_uid != ::geteuid()) return std::nullopt;
    if (::fchmod(fd, info.st_mode | S_IRUSR) != 0) return std::nullopt;
    const FileDescriptor reader(::open(target.c_str(), O_RDONLY | kOpenFlags));
    const int restored = ::fchmod(fd, info.st_mode & 07777);
    char last = 0;
    if (!reader.valid() || restored != 0 || ::pread(reader.get(), &last, 1, size - 1) != 1) return std::nullopt;
    return last;
}

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

int InOutCodeOfErrno(int error) noexcept {
    switch (error) {
        case ENOENT: return 2;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
        case EINVAL: return 3;
        case EMFILE:
        case ENFILE: return 4;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY: return 5;
        case ENOSPC:
        case EDQUOT: return 101;
        default: return kOtherInOutCodeBase + error;
    }
}

InOutError InOutErrorOfErrno(int error) {
    const int code = InOutCodeOfErrno(error);
    return code >= kOtherInOutCodeBase ? InOutError(code, std::strerror(error)) : InOutError(code);
}

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

    const FileDescriptor fd(::open(file.c_str(), O_RDONLY | kOpenFlags));
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
        LockBy(fd.get(), giveUp);
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
