// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The desktop matches the program's windows to its menu entry by the name
// the program gives itself: the entry, the AppStream metadata and the
// program must agree on it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/qt_dialogs.h"
#include "startup.h"

namespace {

const std::filesystem::path kAssets = AZIMORA_ASSETS_DIR;

std::string FileText(const std::filesystem::path& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(DesktopEntry, IsNamedAsTheProgramNamesItselfToTheDesktop) {
    const std::string entryName = std::string(azimora::shell::kDesktopEntryName) + ".desktop";
    ASSERT_TRUE(std::filesystem::exists(kAssets / entryName)) << entryName << " is not among the assets";
    const std::string metadata = FileText(kAssets / "azimora.metainfo.xml.in");
    struct Expected {
        const char* what;
        std::string text;
    };
    for (const Expected& expected : {
             Expected{"the AppStream id", std::string("<id>") + azimora::shell::kDesktopEntryName + "</id>"},
             Expected{"the launchable", "<launchable type=\"desktop-id\">" + entryName + "</launchable>"},
             // The menu, the software centre and the taskbar list the same name.
             Expected{"the name", std::string("<name>") + azimora::kApplicationTitle + "</name>"},
         })
        EXPECT_NE(metadata.find(expected.text), std::string::npos) << expected.what << " differs: " << expected.text;
    EXPECT_NE(FileText(kAssets / entryName).find(std::string("\nName=") + azimora::kApplicationTitle + "\n"),
              std::string::npos);
}

TEST(DesktopEntry, NamesTheWindowClassOfX11AndTheCategoriesUsersLookIn) {
    const std::string entry = FileText(kAssets / (std::string(azimora::shell::kDesktopEntryName) + ".desktop"));
    for (const char* line : {"\nStartupWMClass=azimora\n", "\nExec=azimora\n", "\nCategories=Science;Geoscience;\n"})
        EXPECT_NE(entry.find(line), std::string::npos) << "no line" << line;
}

}  // namespace
