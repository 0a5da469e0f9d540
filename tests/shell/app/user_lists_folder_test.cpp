// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "app/user_lists_folder.h"

namespace azimora::shell {
namespace {

TEST(UserListsFolder, PortableCopiesKeepTheirListsAndInstalledProgramsUseTheUsersDataFolder) {
    struct Case {
        const char* what;
        ListsFolderFacts facts;
        const char* folder;
    };
    const Case cases[] = {
        {"the build tree", {"/home/ann/azimora/build/release/shell", "/usr/bin", true, "", "/home/ann"},
         "/home/ann/azimora/build/release/shell"},
        {"a portable copy on a stick", {"/media/ann/STICK/azimora", "/usr/local/bin", true, "/home/ann/.data", "/home/ann"},
         "/media/ann/STICK/azimora"},
        {"installed, as a user", {"/usr/bin", "/usr/bin", false, "", "/home/ann"}, "/home/ann/.local/share/azimora"},
        {"installed, as root, who may write there", {"/usr/bin", "/usr/bin", true, "", "/root"},
         "/root/.local/share/azimora"},
        {"installed elsewhere, not writable", {"/opt/azimora/bin", "/usr/bin", false, "", "/home/ann"},
         "/home/ann/.local/share/azimora"},
        {"installed under /usr/local", {"/usr/local/bin", "/usr/local/bin", true, "", "/home/ann"},
         "/home/ann/.local/share/azimora"},
        {"the bin folder written another way", {"/usr/bin/", "/usr//bin", true, "", "/home/ann"},
         "/home/ann/.local/share/azimora"},
        {"XDG_DATA_HOME set", {"/usr/bin", "/usr/bin", false, "/home/ann/.data", "/home/ann"}, "/home/ann/.data/azimora"},
        {"XDG_DATA_HOME relative, so ignored", {"/usr/bin", "/usr/bin", false, "data", "/home/ann"},
         "/home/ann/.local/share/azimora"},
        {"no home at all", {"/usr/bin", "/usr/bin", false, "", ""}, "/usr/bin"},
    };
    for (const Case& c : cases) EXPECT_EQ(UserListsFolder(c.facts), std::filesystem::path(c.folder)) << c.what;
}

TEST(UserListsFolder, ThisProgramKnowsTheBinFolderItWasBuiltFor) {
    const ListsFolderFacts facts = ThisProgramsFacts("/tmp");
    EXPECT_TRUE(facts.installBinFolder.is_absolute()) << facts.installBinFolder;
    EXPECT_EQ(facts.installBinFolder.filename(), "bin");
    EXPECT_TRUE(facts.programFolderWritable);
}

}  // namespace
}  // namespace azimora::shell
