// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "lists/userlists.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <thread>

#include "catalogue/builtin_catalogues.h"
#include "errors.h"
#include "temp_folder.h"
#include "unprivileged.h"

namespace azimora {
namespace {

using azimora::testing::ReadFile;
using azimora::testing::TempFolder;
using azimora::testing::WriteFile;
using Fields = std::vector<std::string>;

struct SplitCase {
    const char* line;
    Fields fields;
};

class SplitFieldsCase : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitFieldsCase, RunsOfSeparatorsCountAsOne) {
    EXPECT_EQ(SplitFields(GetParam().line, ","), GetParam().fields) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitFieldsCase,
    ::testing::Values(SplitCase{"Calgary,51.08,114.08", {"Calgary", "51.08", "114.08"}},
                      SplitCase{"Foo,,51,114", {"Foo", "51", "114"}},
                      SplitCase{",,Home,,45.5,,73.6,", {"Home", "45.5", "73.6"}},
                      SplitCase{" Home , 45.5 ", {" Home ", " 45.5 "}}, SplitCase{"", {}}, SplitCase{",,,", {}},
                      SplitCase{" ", {" "}}, SplitCase{"Lonely", {"Lonely"}}));

struct Loaded {
    std::string text, data1, data2;
    bool operator==(const Loaded&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Loaded& l) {
        return out << '[' << l.text << '|' << l.data1 << '|' << l.data2 << ']';
    }
};

std::vector<Loaded> Children(const CatalogueNode& parent) {
    std::vector<Loaded> out;
    for (std::size_t i = 0; i < parent.ChildCount(); ++i)
        out.push_back({parent.Child(i).Text, parent.Child(i).Data1, parent.Child(i).Data2});
    return out;
}

std::vector<Loaded> UserSatellites(const Catalogue& satellites) {
    std::vector<Loaded> out;
    for (std::size_t i = 101; i < satellites.RootCount(); ++i)
        out.push_back({satellites.Root(i).Text, satellites.Root(i).Data1, satellites.Root(i).Data2});
    return out;
}

class UserListFiles : public ::testing::Test {
protected:
    TempFolder folder;
    std::unique_ptr<Catalogue> satellites = BuiltInSatelliteCatalogue();
    std::unique_ptr<Catalogue> locations = BuiltInLocationCatalogue();

    const CatalogueNode& UserDefined() const { return *locations->FindNode("USER DEFINED"); }
    // Loads a location file; returns the error message, or "" when none.
    std::string LoadLocations(std::string_view bytes) {
        WriteFile(UserLocationFile(folder.Path()), bytes);
        try {
            LoadUserLocations(*locations, folder.Path());
        } catch (const Error& error) {
            return error.what();
        }
        return "";
    }
    std::string LoadSatellites(std::string_view bytes) {
        WriteFile(UserSatelliteFile(folder.Path()), bytes);
        try {
            LoadUserSatellites(*satellites, folder.Path());
        } catch (const Error& error) {
            return error.what();
        }
        return "";
    }
};

TEST_F(UserListFiles, MissingFilesAreEmptyLists) {
    LoadUserLocations(*locations, folder.Path());
    LoadUserSatellites(*satellites, folder.Path());
    EXPECT_EQ(UserDefined().ChildCount(), 0u);
    EXPECT_EQ(satellites->RootCount(), 101u);
}

TEST_F(UserListFiles, LocationsGoUnderUserDefinedInFileOrder) {
    EXPECT_EQ(LoadLocations("Zeta,1,2\r\nHome,,45.5,,73.6,\nAlpha,3,4,extra\r Spaced , 45.5 , 73.6 "), "");
    EXPECT_EQ(Children(UserDefined()), (std::vector<Loaded>{{"Zeta", "1", "2"},
                                                            {"Home", "45.5", "73.6"},
                                                            {"Alpha", "3", "4"},
                                                            {" Spaced ", " 45.5 ", " 73.6 "}}));
}

TEST_F(UserListFiles, SatellitesFollowTheBuiltInOnesWithPrefix) {
    EXPECT_EQ(LoadSatellites("My Bird,61.5\r\nAardvark,-3,ignored\r\n"), "");
    EXPECT_EQ(UserSatellites(*satellites),
              (std::vector<Loaded>{{"USER: My Bird", "61.5", ""}, {"USER: Aardvark", "-3", ""}}));
}

TEST_F(UserListFiles, EmptyFileAndTrailingBreaksAddNothing) {
    EXPECT_EQ(LoadSatellites(""), "");
    EXPECT_EQ(LoadLocations("A,1,2\r\n"), "");
    EXPECT_EQ(satellites->RootCount(), 101u);
    EXPECT_EQ(UserDefined().ChildCount(), 1u);
}

TEST_F(UserListFiles, AMalformedLineCostsOnlyItselfAndTheFirstIsReported) {
    struct Case {
        const char* bytes;
        const char* error;
        std::vector<Loaded> loaded;
    };
    for (const Case& c : {
             Case{"Lonely\r\nNext,5\r\n", "List index out of bounds (1)", {{"USER: Lonely", "", ""}, {"USER: Next", "5", ""}}},
             Case{"First,1\r\n\r\nNext,5\r\n", "List index out of bounds (0)", {{"USER: First", "1", ""}, {"USER: Next", "5", ""}}},
             Case{",,,\r\nNext,5\r\nLast\r\n", "List index out of bounds (0)", {{"USER: Next", "5", ""}, {"USER: Last", "", ""}}},
         }) {
        satellites = BuiltInSatelliteCatalogue();
        EXPECT_EQ(LoadSatellites(c.bytes), c.error) << c.bytes;
        EXPECT_EQ(UserSatellites(*satellites), c.loaded) << c.bytes;
    }
    for (const Case& c : {
             Case{"A,1,2\nB,3\nC,4,5\n", "List index out of bounds (2)", {{"A", "1", "2"}, {"B", "", ""}, {"C", "4", "5"}}},
             Case{"A\nB,1\n", "List index out of bounds (1)", {{"A", "", ""}, {"B", "", ""}}},
             Case{"\nWhitehorse, YUKON,60.72\nHome,1,2", "List index out of bounds (0)",
                  {{"Whitehorse", " YUKON", "60.72"}, {"Home", "1", "2"}}},
         }) {
        locations = BuiltInLocationCatalogue();
        EXPECT_EQ(LoadLocations(c.bytes), c.error) << c.bytes;
        EXPECT_EQ(Children(UserDefined()), c.loaded) << c.bytes;
    }
}

TEST_F(UserListFiles, SavesAppendCrLfRecordsCreatingTheFolder) {
    SaveUserSatellite(folder.Path(), "My Bird", "61.5");
    SaveUserSatellite(folder.Path(), "My Bird", "61.5");
    SaveUserLocation(folder.Path(), "No location selected.", "0.00", "0.00");
    EXPECT_EQ(ReadFile(folder.Path() / "data" / "satdata.dat"), "My Bird,61.5\r\nMy Bird,61.5\r\n");
    EXPECT_EQ(ReadFile(folder.Path() / "data" / "locdata.dat"), "No location selected.,0.00,0.00\r\n");

    LoadUserSatellites(*satellites, folder.Path());
    EXPECT_EQ(UserSatellites(*satellites),
              (std::vector<Loaded>{{"USER: My Bird", "61.5", ""}, {"USER: My Bird", "61.5", ""}}));
}

TEST_F(UserListFiles, ValuesWithSeparatorsReadBackWhole) {
    SaveUserLocation(folder.Path(), "Calgary, ALBERTA", "51.08", "114.08");
    SaveUserSatellite(folder.Path(), "DBS-1,2,3 - DirecTV", "101");
    SaveUserSatellite(folder.Path(), "Pasted\r\nname", "1,5");
    EXPECT_EQ(ReadFile(folder.Path() / "data" / "satdata.dat"), "DBS-1;2;3 - DirecTV,101\r\nPasted  name,1;5\r\n");

    LoadUserLocations(*locations, folder.Path());
    LoadUserSatellites(*satellites, folder.Path());
    EXPECT_EQ(Children(UserDefined()), (std::vector<Loaded>{{"Calgary; ALBERTA", "51.08", "114.08"}}));
    EXPECT_EQ(UserSatellites(*satellites),
              (std::vector<Loaded>{{"USER: DBS-1;2;3 - DirecTV", "101", ""}, {"USER: Pasted  name", "1;5", ""}}));
}

TEST_F(UserListFiles, OlderFilesWithCommasInNamesLoadShifted) {
    EXPECT_EQ(LoadLocations("Calgary, ALBERTA,51.08,114.08\r\n"), "");
    EXPECT_EQ(Children(UserDefined()), (std::vector<Loaded>{{"Calgary", " ALBERTA", "51.08"}}));
}

TEST_F(UserListFiles, CharacterSets) {
    // UTF-8 as it is, less a byte order mark; anything else as Windows-1252.
    EXPECT_EQ(LoadLocations("\xEF\xBB\xBF" "Montr\xC3\xA9" "al,45.5,73.6\r\n"), "");
    EXPECT_EQ(LoadSatellites("Caf\xE9 \x80 \x9D,1\r\n"), "");
    EXPECT_EQ(Children(UserDefined()), (std::vector<Loaded>{{"Montr\xC3\xA9" "al", "45.5", "73.6"}}));
    EXPECT_EQ(UserSatellites(*satellites),
              (std::vector<Loaded>{{"USER: Caf\xC3\xA9 \xE2\x82\xAC \xC2\x9D", "1", ""}}));
    // New records are UTF-8.
    SaveUserSatellite(folder.Path(), "Z\xC3\xBCrich", "-8.5");
    EXPECT_EQ(ReadFile(UserSatelliteFile(folder.Path())), "Caf\xE9 \x80 \x9D,1\r\nZ\xC3\xBCrich,-8.5\r\n");
}

TEST_F(UserListFiles, UnreadableFileNamesItsFullPath) {
    const auto file = UserLocationFile(folder.Path());
    std::filesystem::create_directories(file.parent_path());
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    try {
        LoadUserLocations(*locations, folder.Path());
        FAIL() << "no error";
    } catch (const FileOpenError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file \"" + file.string() + "\". Not a regular file");
    }
    // A folder of that name is no file at all.
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    EXPECT_NO_THROW(LoadUserLocations(*locations, folder.Path()));
}

TEST_F(UserListFiles, PermissionDeniedOnReading) {
    const auto file = UserSatelliteFile(folder.Path());
    WriteFile(file, "A,1\r\n");
    std::filesystem::permissions(file, std::filesystem::perms::none);
    const auto message = azimora::testing::RunUnprivileged([&]() -> std::string {
        try {
            LoadUserSatellites(*satellites, folder.Path());
        } catch (const FileOpenError& error) {
            return error.what() + std::string(satellites->RootCount() == 101 ? "" : " (loaded)");
        }
        return "no error";
    });
    if (!message) GTEST_SKIP() << "cannot drop root privileges here";
    EXPECT_EQ(*message, "Cannot open file \"" + file.string() + "\". Permission denied");
}

std::string SaveError(const std::filesystem::path& programFolder) {
    try {
        SaveUserSatellite(programFolder, "My Bird", "61.5");
    } catch (const InOutError& error) {
        return error.what();
    }
    return "";
}

TEST_F(UserListFiles, FailingSavesReportTheCause) {
    // A plain file where the folder should be.
    WriteFile(folder.Path() / "data", "not a folder");
    EXPECT_EQ(SaveError(folder.Path()), "Invalid filename");
    // The program's folder itself gone.
    EXPECT_EQ(SaveError(folder.Path() / "missing"), "File not found");
    // A device behind the file name is no list (a full disk: SafeUserLists).
    std::filesystem::remove(folder.Path() / "data");
    std::filesystem::create_directory(folder.Path() / "data");
    std::filesystem::create_symlink("/dev/full", UserSatelliteFile(folder.Path()));
    EXPECT_EQ(SaveError(folder.Path()), "File access denied");
    // A folder where the file should be.
    std::filesystem::remove(UserSatelliteFile(folder.Path()));
    std::filesystem::create_directory(UserSatelliteFile(folder.Path()));
    EXPECT_EQ(SaveError(folder.Path()), "File access denied");
}

TEST_F(UserListFiles, ReadOnlyFolder) {
    std::filesystem::create_directory(folder.Path() / "data");
    std::filesystem::permissions(folder.Path() / "data", std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::owner_exec |
                                                             std::filesystem::perms::others_read |
                                                             std::filesystem::perms::others_exec);
    const auto message = azimora::testing::RunUnprivileged([&] { return SaveError(folder.Path()); });
    if (!message) GTEST_SKIP() << "cannot drop root privileges here";
    EXPECT_EQ(*message, "File access denied");
    EXPECT_FALSE(std::filesystem::exists(UserSatelliteFile(folder.Path())));
}

TEST_F(UserListFiles, ConcurrentSavesDoNotInterleave) {
    constexpr int kWriters = 4;
    constexpr int kRecordsEach = 200;
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&, w] {
            const std::string name = "Writer " + std::to_string(w) + std::string(500, 'x');
            for (int i = 0; i < kRecordsEach; ++i) SaveUserLocation(folder.Path(), name, std::to_string(i), "1.5");
        });
    }
    for (auto& writer : writers) writer.join();
    LoadUserLocations(*locations, folder.Path());
    ASSERT_EQ(UserDefined().ChildCount(), static_cast<std::size_t>(kWriters * kRecordsEach));
    std::vector<int> next(kWriters, 0);
    for (const Loaded& record : Children(UserDefined())) {
        ASSERT_EQ(record.text.size(), 508u) << record;
        const int writer = record.text[7] - '0';
        EXPECT_EQ(record.data1, std::to_string(next[static_cast<std::size_t>(writer)]++));
        EXPECT_EQ(record.data2, "1.5");
    }
}

}  // namespace
}  // namespace azimora
