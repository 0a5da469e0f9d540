#include "list_file_io.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

#include "errors.h"
#include "text_encoding.h"

namespace azimora {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

[[noreturn]] void ThrowCannotOpen(const std::filesystem::path& file, const std::string& cause) {
    throw FileOpenError("Cannot open file \"" + std::filesystem::absolute(file).string() + "\". " + cause);
}

[[noreturn]] void ThrowCannotOpen(const std::filesystem::path& file, int error) {
    ThrowCannotOpen(file, std::generic_category().message(error));
}

[[noreturn]] void ThrowInOut(int error) { throw InOutError(InOutCodeOfErrno(error)); }

void EnsureFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    const auto status = std::filesystem::status(folder, ec);
    if (std::filesystem::is_directory(status)) return;
    if (std::filesystem::exists(status)) ThrowInOut(ENOTDIR);  // a file is in the way
    std::filesystem::create_directory(folder, ec);
    if (ec) ThrowInOut(ec.value());
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
        case EISDIR: return 5;
        case ENOSPC:
        case EDQUOT: return 101;
        default: return error;
    }
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::optional<std::vector<std::string>> ReadListFileLines(const std::filesystem::path& file) {
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (!std::filesystem::exists(status) || std::filesystem::is_directory(status)) return std::nullopt;
    // A pipe or a device could block or never end: only plain files are read.
    if (!std::filesystem::is_regular_file(status)) ThrowCannotOpen(file, "Not a regular file");

    errno = 0;
    const FilePtr stream(std::fopen(file.c_str(), "rb"));
    if (!stream) ThrowCannotOpen(file, errno != 0 ? errno : EIO);

    std::string bytes;
    char buffer[65536];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, stream.get())) > 0) bytes.append(buffer, count);
    if (std::ferror(stream.get())) ThrowCannotOpen(file, errno != 0 ? errno : EIO);

    return SplitLines(DecodeListFileText(bytes));
}

void AppendListFileLine(const std::filesystem::path& file, std::string_view line) {
    EnsureFolder(file.parent_path());

    std::string record(line);
    record += "\r\n";

    // A buffer that holds the whole record, so that it goes out in one write
    // on flush. Declared first: it must outlive the stream.
    std::vector<char> buffer(record.size() + 1);
    errno = 0;
    FilePtr stream(std::fopen(file.c_str(), "ab"));
    if (!stream) ThrowInOut(errno != 0 ? errno : EIO);
    if (std::setvbuf(stream.get(), buffer.data(), _IOFBF, buffer.size()) != 0) ThrowInOut(errno != 0 ? errno : EIO);
    errno = 0;
    if (std::fwrite(record.data(), 1, record.size(), stream.get()) != record.size() || std::fflush(stream.get()) != 0)
        ThrowInOut(errno != 0 ? errno : EIO);
    // Closed explicitly to see the result; on the paths above the owner closes it.
    if (std::fclose(stream.release()) != 0) ThrowInOut(errno != 0 ? errno : EIO);
}

}  // namespace azimora
