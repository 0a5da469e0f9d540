// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// A record is whole or absent whatever happens to the saver: killed at any
// moment, stopped by a file-size limit, kept waiting by another program's
// lock; and the list keeps what it was (its records, permissions, link).
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "catalogue/builtin_catalogues.h"
#include "errors.h"
#include "lists/list_file_io.h"
#include "lists/userlists.h"
#include "error_text.h"
#include "temp_folder.h"
#include "text/text_encoding.h"
#include "unprivileged.h"

namespace azimora {
namespace {

using azimora::testing::ReadFile;
using azimora::testing::TempFolder;
using azimora::testing::WriteFile;

constexpr const char* kTwoRecords = "Astra 1KR,-19.2\r\nHot Bird,-13\r\n";

std::string SaveError(const std::function<void()>& save) { return azimora::testing::ErrorOf(save); }

std::vector<std::filesystem::path> Leftovers(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().starts_with(".satdata.dat.")) found.push_back(entry.path());
    return found;
}

// A child process that runs body, then ends; its wait status.
int RunChild(const std::function<void()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

class ListDurability : public ::testing::Test {
protected:
    TempFolder folder;
    std::filesystem::path list = UserSatelliteFile(folder.Path());

    void SetUp() override {
        std::filesystem::create_directories(list.parent_path());
        WriteFile(list, kTwoRecords);
    }
};

// Killed at random moments while it saves records of 60 KB again and
// again: the old records stay, and every line in the file is a whole record.
TEST_F(ListDurability, ASaverKilledAtAnyMomentLeavesWholeRecords) {
    const std::string body(60000, 'x');
    // "R<k>-", the body, ",<k>": nothing less.
    const auto whole = [&](std::string_view line) {
        const std::size_t dash = line.find('-');
        if (!line.starts_with('R') || dash == std::string_view::npos) return false;
        const std::string_view k = line.substr(1, dash - 1);
        return line.substr(dash + 1) == body + "," + std::string(k);
    };
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> delay(0, 12000);  // microseconds
    int killedMidWay = 0;
    for (int round = 0; round < 120; ++round) {
        WriteFile(list, kTwoRecords);
        // The delay counts from when the saver runs, however late a busy
        // machine starts it.
        int running[2];
        ASSERT_EQ(::pipe(running), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(running[0]);
            const char ready = 1;
            if (::write(running[1], &ready, 1) != 1) ::_exit(1);
            for (int k = 0;; ++k) SaveUserSatellite(folder.Path(), "R" + std::to_string(k) + "-" + body, std::to_string(k));
        }
        ::close(running[1]);
        char ready = 0;
        ASSERT_EQ(::read(running[0], &ready, 1), 1);
        ::close(running[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        const std::string bytes = ReadFile(list);
        ASSERT_TRUE(bytes.starts_with(kTwoRecords)) << "round " << round;
        ASSERT_TRUE(bytes.ends_with("\r\n")) << "round " << round << ": the file ends in a piece of a record";
        const auto lines = SplitLines(std::string_view(bytes).substr(std::string_view(kTwoRecords).size()));
        for (std::size_t i = 0; i < lines.size(); ++i)
            ASSERT_TRUE(whole(lines[i])) << "round " << round << ", record " << i
                                                                        << " is " << lines[i].size() << " bytes";
        killedMidWay += Leftovers(list.parent_path()).empty() ? 0 : 1;
    }
    // Most kills land inside a save, which leaves its new file behind; the
    // next save clears it.
    EXPECT_GT(killedMidWay, 0);
    EXPECT_EQ(SaveError([&] { SaveUserSatellite(folder.Path(), "After", "1"); }), "");
    EXPECT_TRUE(Leftovers(list.parent_path()).empty());
}

// A file-size limit (ulimit -f) stops the saver in the middle of its write:
// the list is as it was, whether the limit kills (SIGXFSZ) or reports (EFBIG).
TEST_F(ListDurability, AFileSizeLimitLeavesTheListAsItWas) {
    for (const bool ignoreSignal : {false, true}) {
        WriteFile(list, kTwoRecords);
        const int status = RunChild([&] {
            if (ignoreSignal) ::signal(SIGXFSZ, SIG_IGN);
            const rlim_t limit = std::string_view(kTwoRecords).size() + 5;
            const rlimit fileSize{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &fileSize);
            const std::string error = SaveError([&] { SaveUserSatellite(folder.Path(), "Astra 1KR", "-19.2"); });
            ::_exit(error == "I/O error 1027: File too large" ? 3 : 4);
        });
        if (ignoreSignal) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << "the save must say it failed";
        } else {
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
        }
        EXPECT_EQ(ReadFile(list), kTwoRecords) << (ignoreSignal ? "EFBIG" : "SIGXFSZ");
    }
}

// Another program holding the list locked (flock satdata.dat sleep 8): the
// save gives up after a short wait with a message, and nothing is written.
TEST_F(ListDurability, AnotherProgramsLockMakesTheSaveGiveUpSoon) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        const int fd = ::open(list.c_str(), O_RDONLY);
        ::flock(fd, LOCK_EX);
        (void)!::write(ready[1], "l", 1);
        ::pause();
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    const auto start = std::chrono::steady_clock::now();
    const std::string error = SaveError([&] { SaveUserSatellite(folder.Path(), "Waiting", "1"); });
    const auto waited = std::chrono::steady_clock::now() - start;
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(error, "Nothing was saved: the list is in use by another program");
    EXPECT_GE(waited, kListLockPatience);
    EXPECT_LT(waited, std::chrono::seconds(10));
    EXPECT_EQ(ReadFile(list), kTwoRecords);
    EXPECT_EQ(SaveError([&] { SaveUserSatellite(folder.Path(), "Now", "1"); }), "");
}

// Savers in separate processes take turns across the renames: each save
// replaces the file the others hold their lock on.
TEST_F(ListDurability, SaversInSeveralProcessesKeepEachOthersRecords) {
    constexpr int kProcesses = 4;
    constexpr int kEach = 40;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0; i < kEach; ++i)
                if (!SaveError([&] { SaveUserSatellite(folder.Path(), "P" + std::to_string(p), std::to_string(i)); })
                         .empty())
                    ::_exit(1);
            ::_exit(0);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    auto satellites = BuiltInSatelliteCatalogue();
    LoadUserSatellites(*satellites, folder.Path());
    ASSERT_EQ(satellites->RootCount(), 101u + 2 + kProcesses * kEach);
    std::vector<int> next(kProcesses, 0);
    for (std::size_t i = 103; i < satellites->RootCount(); ++i) {
        const CatalogueNode& node = satellites->Root(i);
        const auto p = static_cast<std::size_t>(node.Text.back() - '0');
        EXPECT_EQ(node.Data1, std::to_string(next[p]++)) << node.Text;
    }
}

// A list kept in a synced folder through a symbolic link stays a link, and
// the records land in its target; the file keeps its permissions.
TEST_F(ListDurability, TheListKeepsItsLinkAndItsPermissions) {
    const std::filesystem::path synced = folder.Path() / "synced" / "satellites.dat";
    std::filesystem::create_directories(synced.parent_path());
    WriteFile(synced, kTwoRecords);
    std::filesystem::remove(list);
    std::filesystem::create_symlink("../synced/satellites.dat", list);
    ASSERT_EQ(::chmod(synced.c_str(), 0640), 0);

    ASSERT_EQ(SaveError([&] { SaveUserSatellite(folder.Path(), "Eutelsat", "-7"); }), "");
    EXPECT_TRUE(std::filesystem::is_symlink(list));
    EXPECT_EQ(std::filesystem::read_symlink(list), "../synced/satellites.dat");
    EXPECT_EQ(ReadFile(synced), std::string(kTwoRecords) + "Eutelsat,-7\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(synced.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// Saving many records in one go: all land, in order, after a last line
// without a break.
TEST_F(ListDurability, ManyRecordsInOneSaveLandTogether) {
    WriteFile(list, "Last,1");
    const std::vector<std::string> records = {"A,1", "B,2", "C,3"};
    AppendListFileLines(list, records);
    EXPECT_EQ(ReadFile(list), "Last,1\r\nA,1\r\nB,2\r\nC,3\r\n");
}

// Saves into a satellite list the user may write but not read (mode 0200),
// as a user without root's right to read it anyway: what the saves said,
// then "the mode changed; " where it did, then the file's bytes. nullopt
// where root's privileges cannot be dropped.
std::optional<std::string> SaveIntoWriteOnlyList(const std::string& contents,
                                                 const std::vector<std::pair<std::string, std::string>>& records) {
    return azimora::testing::RunUnprivileged([&] {
        char name[] = "/tmp/azimora-write-only-XXXXXX";
        if (::mkdtemp(name) == nullptr) return std::string("no folder");
        const std::filesystem::path own(name);
        const auto file = UserSatelliteFile(own);
        std::filesystem::create_directories(file.parent_path());
        WriteFile(file, contents);
        ::chmod(file.c_str(), 0200);
        std::string error;
        for (const auto& [satellite, longitude] : records)
            error += SaveError([&] { SaveUserSatellite(own, satellite, longitude); });
        struct stat info {};
        ::stat(file.c_str(), &info);
        const std::string mode = (info.st_mode & 0777) == 0200 ? "" : "the mode changed; ";
        ::chmod(file.c_str(), 0600);
        const std::string bytes = ReadFile(file);
        std::filesystem::remove_all(own);
        return error + mode + bytes;
    });
}

// A list that can be written but not read, its last line without a break:
// the next record starts on a line of its own rather than gluing onto it
// ("a,1" and "b,2" gave satellite "a" at "1b").
TEST_F(ListDurability, AWriteOnlyListGetsTheRecordOnALineOfItsOwn) {
    const auto result = SaveIntoWriteOnlyList("a,1", {{"b", "2"}});
    if (!result) GTEST_SKIP() << "cannot drop root privileges here";
    EXPECT_EQ(*result, "a,1\r\nb,2\r\n");
}

// A write-only list that ends with its break, as every save leaves it: the
// next records follow at once, no blank line between (which the next load
// would report as a faulty line); the file's mode is as it was.
TEST_F(ListDurability, AWriteOnlyListGetsNoBlankLines) {
    const auto result = SaveIntoWriteOnlyList("a,1\r\n", {{"b", "2"}, {"c", "3"}});
    if (!result) GTEST_SKIP() << "cannot drop root privileges here";
    EXPECT_EQ(*result, "a,1\r\nb,2\r\nc,3\r\n");
}

}  // namespace
}  // namespace azimora
