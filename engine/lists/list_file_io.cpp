// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "lists/list_file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
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

// What has to go before a record at the end of a file of size bytes: a line
// break when the last line has none, so that the record is a line of its own;
// a byte order mark before a first record that itself starts with U+FEFF,
// which would otherwise be taken for the mark and lost.
std::string RecordPrefix(int fd, off_t size, bool readable, std::string_view line) {
    if (size == 0) return line.starts_with(kByteOrderMark) ? std::string(kByteOrderMark) : std::string();
    if (!readable) return {};  // cannot tell; assume a well-formed file
    char tail[3] = {};
    const auto want = static_cast<std::size_t>(std::min<off_t>(size, 3));
    if (::pread(fd, tail, want, size - static_cast<off_t>(want)) != static_cast<ssize_t>(want)) return {};
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

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

std::optional<std::vector<ListLine>> ReadListFileLines(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) {
        // No such file, or a plain file where a folder of the path should be.
        if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
        ThrowCannotOpen(file, errno);  // the folder cannot be searched, ...
    }
    if (S_ISDIR(info.st_mode)) return std::nullopt;
    // A pipe or a device could block or never end: only plain files are read.
    if (!S_ISREG(info.st_mode)) ThrowCannotOpen(file, "Not a regular file");

    const FileDescriptor fd(::open(file.c_str(), O_RDONLY | kOpenFlags));
    if (!fd.valid() && errno == ENOENT) return std::nullopt;  // removed since we looked
    if (!fd.valid()) ThrowCannotOpen(file, errno);
    if (::fstat(fd.get(), &info) != 0) ThrowCannotOpen(file, errno);
    if (!S_ISREG(info.st_mode)) ThrowCannotOpen(file, "Not a regular file");

    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    while (true) {
        const ssize_t count = ::read(fd.get(), buffer, sizeof buffer);
        if (count == 0) break;
        if (count < 0) {
            if (errno == EINTR) continue;
            ThrowCannotOpen(file, errno);
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }

    std::vector<ListLine> lines;
    for (std::string_view raw : SplitLines(bytes)) {
        if (lines.empty() && raw.starts_with(kByteOrderMark) && IsValidUtf8(raw)) raw.remove_prefix(kByteOrderMark.size());
        if (raw.size() > kMaxListLineBytes) {
            lines.push_back({{}, true});
        } else {
            lines.push_back({DecodeListLine(raw), false});
        }
    }
    return lines;
}

void AppendListFileLine(const std::filesystem::path& file, std::string_view line) {
    EnsureFolder(file.parent_path());
    bool readable = false;
    const FileDescriptor fd = OpenForAppending(file, readable);

    // Another save between reading the end of the file and writing could
    // make both add a line break; advisory, so it never stands in the way.
    while (::flock(fd.get(), LOCK_EX) != 0 && errno == EINTR) {
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) ThrowInOut(errno);
    const off_t oldSize = info.st_size;

    const std::string record = RecordPrefix(fd.get(), oldSize, readable, line) + std::string(line) + "\r\n";
    int error = WriteAll(fd.get(), record);
    // On the disk before it counts as saved; a full disk can show only here.
    if (error == 0 && ::fdatasync(fd.get()) != 0 && errno != EINVAL) error = errno;
    if (error != 0) {
        // Half a record would load as a wrong value without a word: cut it off.
        while (::ftruncate(fd.get(), oldSize) != 0 && errno == EINTR) {
        }
        ThrowInOut(error);
    }
    // Once written whole and synced, the record is in the file; a failing
    // close() must not make the user save it a second time.
}

}  // namespace azimora
