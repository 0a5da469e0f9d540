// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The user lists never lose, hide or garble a record: what is saved reads
// back as saved, a bad line costs only itself, a failed save leaves the file
// as it was, and nothing blocks or writes into a device.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "catalogue/builtin_catalogues.h"
#include "errors.h"
#include "lists/list_file_io.h"
#include "lists/userlists.h"
#include "small_disk.h"
#include "error_text.h"
#include "temp_folder.h"
#include "unprivileged.h"

namespace azimora {
namespace {

using azimora::testing::ReadFile;
using azimora::testing::TempFolder;
using azimora::testing::WriteFile;

std::string SaveError(const std::function<void()>& save) { return azimora::testing::ErrorOf(save); }

std::vector<std::pair<std::string, std::string>> UserSatellites(const Catalogue& satellites) {
    std::vector<std::pair<std::string, std::string>> out;
    for (std::size_t i = 101; i < satellites.RootCount(); ++i)
        out.emplace_back(satellites.Root(i).Text, satellites.Root(i).Data1);
    return out;
}

class SafeUserLists : public ::testing::Test {
protected:
    TempFolder folder;
    std::unique_ptr<Catalogue> satellites = BuiltInSatelliteCatalogue();
    std::unique_ptr<Catalogue> locations = BuiltInLocationCatalogue();

    std::string LoadSatellites() {
        return SaveError([&] { LoadUserSatellites(*satellites, folder.Path()); });
    }
    std::string SaveSatellite(std::string_view name, std::string_view longitude) {
        return SaveError([&] { SaveUserSatellite(folder.Path(), name, longitude); });
    }
};

TEST_F(SafeUserLists, AnEntryThatWouldNotReadBackIsRefusedAndNothingIsWritten) {
    struct Case {
        std::function<void(const std::filesystem::path&)> save;
        const char* error;
    };
    const std::string tooLong(kMaxListLineBytes, 'x');
    for (const Case& c : {
             Case{[](auto& p) { SaveUserLocation(p, "Whitehorse, YUKON", "60.72", ""); },
                  "Nothing was saved: the longitude is empty"},
             Case{[](auto& p) { SaveUserLocation(p, "ALBERTA, CANADA", "", ""); },
                  "Nothing was saved: the latitude is empty"},
             Case{[](auto& p) { SaveUserLocation(p, "", "1", "2"); }, "Nothing was saved: the location name is empty"},
             Case{[](auto& p) { SaveUserSatellite(p, "", "61.5"); }, "Nothing was saved: the satellite name is empty"},
             Case{[](auto& p) { SaveUserSatellite(p, "My Bird", ""); },
                  "Nothing was saved: the satellite longitude is empty"},
             Case{[](auto& p) { SaveUserSatellite(p, "Caf\xE9", "1"); },
                  "Nothing was saved: the satellite name is not UTF-8 text"},
             Case{[&](auto& p) { SaveUserSatellite(p, tooLong, "1"); },
                  "Nothing was saved: the entry is longer than 64 KiB"},
             // What an outside number can turn into: never a record.
             Case{[](auto& p) { SaveUserSatellite(p, "SAT 0", "nan"); },
                  "Nothing was saved: the satellite longitude is not a finite number"},
             Case{[](auto& p) { SaveUserSatellite(p, "SAT 0", " -INF "); },
                  "Nothing was saved: the satellite longitude is not a finite number"},
             Case{[](auto& p) { SaveUserLocation(p, "Nowhere", "infinity", "1"); },
                  "Nothing was saved: the latitude is not a finite number"},
             Case{[](auto& p) { SaveUserLocation(p, "Nowhere", "1", "-nan"); },
                  "Nothing was saved: the longitude is not a finite number"},
         }) {
        EXPECT_EQ(SaveError([&] { c.save(folder.Path()); }), c.error);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "data"));

    // The good entries after a refused one all come back, with no error.
    SaveUserLocation(folder.Path(), "Home", "45.5", "73.6");
    SaveUserSatellite(folder.Path(), "My Bird", "61.5");
    LoadUserLocations(*locations, folder.Path());
    EXPECT_EQ(LoadSatellites(), "");
    EXPECT_EQ(locations->FindNode("USER DEFINED")->ChildCount(), 1u);
    EXPECT_EQ(UserSatellites(*satellites), (decltype(UserSatellites(*satellites)){{"USER: My Bird", "61.5"}}));

    // The longest record that fits is kept whole.
    const std::string longest(kMaxListLineBytes - 2, 'y');
    EXPECT_EQ(SaveSatellite(longest, "1"), "");
    satellites = BuiltInSatelliteCatalogue();
    EXPECT_EQ(LoadSatellites(), "");
    EXPECT_EQ(satellites->Root(102).Text, "USER: " + longest);
}

TEST_F(SafeUserLists, ARecordStartsOnALineOfItsOwn) {
    struct Case {
        const char* before;
        const char* after;
    };
    for (const Case& c : {Case{"Other,10", "Other,10\r\nMy Bird,61.5\r\n"},
                          Case{"Other,10\r", "Other,10\rMy Bird,61.5\r\n"},
                          Case{"Other,10\n", "Other,10\nMy Bird,61.5\r\n"},
                          Case{"\xEF\xBB\xBF", "\xEF\xBB\xBFMy Bird,61.5\r\n"},
                          Case{"", "My Bird,61.5\r\n"}}) {
        WriteFile(UserSatelliteFile(folder.Path()), c.before);
        EXPECT_EQ(SaveSatellite("My Bird", "61.5"), "");
        EXPECT_EQ(ReadFile(UserSatelliteFile(folder.Path())), c.after);
        satellites = BuiltInSatelliteCatalogue();
        EXPECT_EQ(LoadSatellites(), "");
        EXPECT_EQ(UserSatellites(*satellites).back(), std::make_pair(std::string("USER: My Bird"), std::string("61.5")));
    }
}

TEST_F(SafeUserLists, ANameStartingWithAByteOrderMarkKeepsIt) {
    const std::string name = "\xEF\xBB\xBFZero width";
    EXPECT_EQ(SaveSatellite(name, "1"), "");
    EXPECT_EQ(SaveSatellite(name, "2"), "");
    EXPECT_EQ(LoadSatellites(), "");
    EXPECT_EQ(UserSatellites(*satellites),
              (decltype(UserSatellites(*satellites)){{"USER: " + name, "1"}, {"USER: " + name, "2"}}));
}

TEST_F(SafeUserLists, AFullDiskLeavesTheFileAsItWas) {
    const azimora::testing::SmallDisk disk(16 * 1024);
    if (!disk.Mounted()) GTEST_SKIP() << "mounting a small tmpfs needs root";
    std::string before;
    while (before.size() + 10 <= 16 * 1024 - 4) before += "Filler,1\r\n";
    WriteFile(UserSatelliteFile(disk.Path()), before);

    EXPECT_EQ(SaveError([&] { SaveUserSatellite(disk.Path(), "Home Bird", "61.5"); }), "Disk full");
    EXPECT_EQ(ReadFile(UserSatelliteFile(disk.Path())), before);
    EXPECT_EQ(SaveError([&] { LoadUserSatellites(*satellites, disk.Path()); }), "");
    EXPECT_EQ(UserSatellites(*satellites).back().second, "1");
}

TEST_F(SafeUserLists, OldWindowsRecordsAndNewUtf8OnesShareAFile) {
    WriteFile(UserSatelliteFile(folder.Path()), "Caf\xE9 Sat,1\r\n");
    EXPECT_EQ(SaveSatellite("Z\xC3\xBCrich", "-8.5"), "");
    EXPECT_EQ(LoadSatellites(), "");
    EXPECT_EQ(UserSatellites(*satellites),
              (decltype(UserSatellites(*satellites)){{"USER: Caf\xC3\xA9 Sat", "1"}, {"USER: Z\xC3\xBCrich", "-8.5"}}));
}

TEST_F(SafeUserLists, AFolderThatCannotBeSearchedIsAnErrorNotAnEmptyList) {
    WriteFile(UserLocationFile(folder.Path()), "Home,1,2\r\n");
    std::filesystem::permissions(folder.Path() / "data", std::filesystem::perms(0644));
    const auto message = azimora::testing::RunUnprivileged([&] {
        return SaveError([&] { LoadUserLocations(*locations, folder.Path()); });
    });
    if (!message) GTEST_SKIP() << "cannot drop root privileges here";
    EXPECT_EQ(*message, "Cannot open file \"" + UserLocationFile(folder.Path()).string() + "\". Permission denied");
}

TEST_F(SafeUserLists, SavingRefusesPipesAndDevicesWithoutBlocking) {
    const auto file = UserSatelliteFile(folder.Path());
    std::filesystem::create_directories(file.parent_path());
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    // A reader on the pipe, so that a save that wrongly writes there fails
    // this test instead of hanging it.
    const int reader = ::open(file.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(SaveSatellite("My Bird", "61.5"), "File access denied");
    char byte;
    EXPECT_EQ(::read(reader, &byte, 1), 0);
    ::close(reader);

    for (const char* device : {"/dev/null", "/dev/zero"}) {
        std::filesystem::remove(file);
        std::filesystem::create_symlink(device, file);
        EXPECT_EQ(SaveSatellite("My Bird", "61.5"), "File access denied") << device;
    }

    // A link to a list kept elsewhere is fine.
    const TempFolder synced;
    WriteFile(synced.Path() / "satellites.dat", "Old,1\r\n");
    std::filesystem::remove(file);
    std::filesystem::create_symlink(synced.Path() / "satellites.dat", file);
    EXPECT_EQ(SaveSatellite("My Bird", "61.5"), "");
    EXPECT_EQ(ReadFile(synced.Path() / "satellites.dat"), "Old,1\r\nMy Bird,61.5\r\n");
}

TEST_F(SafeUserLists, AnOverlongLineIsSkippedAndReportedOnce) {
    WriteFile(UserSatelliteFile(folder.Path()),
              "A,1\r\n" + std::string(200000, 'B') + ",2\r\nC,3\r\n" + std::string(70000, 'D') + "\r\n");
    EXPECT_EQ(LoadSatellites(), "Line 2 of satdata.dat is longer than 64 KiB and was skipped");
    EXPECT_EQ(UserSatellites(*satellites), (decltype(UserSatellites(*satellites)){{"USER: A", "1"}, {"USER: C", "3"}}));
}

// More records than a list loads: the first kMaxListRecords are, the rest
// cost nothing, and the window hears of it once.
TEST_F(SafeUserLists, AListOfMoreRecordsThanItLoadsShowsTheFirst) {
    std::string records;
    for (std::size_t i = 0; i < kMaxListRecords + 3; ++i) records += "A,1,2\r\n";
    WriteFile(UserLocationFile(folder.Path()), records);
    auto locations = BuiltInLocationCatalogue();
    const std::size_t builtIn = locations->NodeCount();
    EXPECT_EQ(testing::ErrorOf([&] { LoadUserLocations(*locations, folder.Path()); }),
              "locdata.dat holds more than 1000000 records; only the first ones were loaded");
    EXPECT_EQ(locations->NodeCount(), builtIn + kMaxListRecords);
}

// Past the cap, the cap's message alone, whatever malformed line came
// before; a blank line is no record, so that a list of exactly the cap with
// a blank line after it is no list past the cap.
TEST_F(SafeUserLists, TheCapSpeaksAloneAndBlankLinesAreNoRecords) {
    std::string records;
    for (std::size_t i = 0; i < kMaxListRecords; ++i) records += "A,1,2\r\n";
    struct Case {
        std::string text;
        std::string message;
        std::size_t loaded;
    };
    for (const Case& c : {Case{"\r\n" + records + "B,3,4\r\n", "locdata.dat holds more than 1000000 records; only the first ones were loaded",
                               kMaxListRecords},
                          Case{"Short\r\n" + records, "locdata.dat holds more than 1000000 records; only the first ones were loaded",
                               kMaxListRecords},
                          Case{records + "\r\n", "List index out of bounds (0)", kMaxListRecords},
                          Case{records + ",,\r\n\r\n", "List index out of bounds (0)", kMaxListRecords}}) {
        WriteFile(UserLocationFile(folder.Path()), c.text);
        auto locations = BuiltInLocationCatalogue();
        const std::size_t builtIn = locations->NodeCount();
        EXPECT_EQ(testing::ErrorOf([&] { LoadUserLocations(*locations, folder.Path()); }), c.message) << c.text.substr(0, 20);
        EXPECT_EQ(locations->NodeCount(), builtIn + c.loaded) << c.text.substr(0, 20);
    }
}

// Lines end with CR LF, LF or a lone CR, in any mix and across the reader's
// blocks; a last line without a break counts.
TEST_F(SafeUserLists, LinesOfEveryEndingAcrossBlocks) {
    std::string text = std::string(65535, 'x') + "\r\n" + "B\rC\nD\r\n\r\nE";
    WriteFile(UserLocationFile(folder.Path()), text);
    const auto lines = ReadListFileLines(UserLocationFile(folder.Path()));
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 6u);
    EXPECT_EQ((*lines)[0].text.size(), 65535u);
    EXPECT_EQ((*lines)[1].text, "B");
    EXPECT_EQ((*lines)[2].text, "C");
    EXPECT_EQ((*lines)[3].text, "D");
    EXPECT_EQ((*lines)[4].text, "");
    EXPECT_EQ((*lines)[5].text, "E");
}

TEST_F(SafeUserLists, ADanglingDataLinkIsAMissingFolder) {
    std::filesystem::create_symlink(folder.Path() / "gone", folder.Path() / "data");
    EXPECT_EQ(SaveSatellite("My Bird", "61.5"), "File not found");
    EXPECT_EQ(LoadSatellites(), "");
}

}  // namespace
}  // namespace azimora
