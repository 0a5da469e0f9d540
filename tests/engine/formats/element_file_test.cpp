// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// A large element file read in blocks on several threads gives what the
// whole text read at once gives: the same objects in the same order, the
// same lines skipped with the same numbers.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>

#include "formats/element_file_reader.h"
#include "temp_folder.h"

namespace azimora {
namespace {

std::string WithChecksum(std::string line) {
    line.resize(68, ' ');
    return line + std::to_string(TleChecksum(line));
}

// Near-geostationary sets, named and not, with a broken one now and then and
// every kind of line end.
std::string MadeUpCatalogue(int sets) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0, 1);
    std::string text;
    const char* ends[] = {"\n", "\r\n", "\r"};
    for (int i = 0; i < sets; ++i) {
        const char* end = ends[i / 1000 % 3];
        if (i % 3 == 0) text += "SAT " + std::to_string(i) + end;
        if (i % 3 == 1) text += "0 SPACE-TRACK " + std::to_string(i) + end;
        char line1[80], line2[80];
        std::snprintf(line1, sizeof line1, "1 %05dU 20001A   26%012.8f  .00000000  00000-0  00000-0 0  999", i % 100000,
                      330 + unit(random) * 5);
        std::snprintf(line2, sizeof line2, "2 %05d %8.4f %8.4f %07d %8.4f %8.4f %11.8f    1", i % 100000, unit(random) * 2,
                      unit(random) * 360, static_cast<int>(unit(random) * 4000), unit(random) * 360, unit(random) * 360,
                      1.0027 + unit(random) * 0.001);
        text += WithChecksum(line1) + end;
        // Every 997th set has a bad checksum on its line 2.
        std::string second = WithChecksum(line2);
        if (i % 997 == 0) second.back() = second.back() == '0' ? '1' : '0';
        text += second + end;
    }
    return text;
}

TEST(ElementFile, BlocksOnThreadsReadAsTheWholeText) {
    const std::string text = MadeUpCatalogue(40000);  // about 6 MB: several blocks
    azimora::testing::TempFolder folder;
    const auto file = folder.Path() / "catalogue.tle";
    std::ofstream(file, std::ios::binary) << text;
    const UnixSeconds now = StartOfDay({2026, 12, 7});

    const ElementSetFile whole = ReadElementSets(text, now);
    ElementFileProgress progress;
    std::vector<GeostationaryObject> objects;
    std::vector<std::string> skipped;
    std::size_t blocks = 0;
    const ElementFileSummary summary = ReadElementFile(file, now, progress, [&](ElementBlock&& block) {
        ++blocks;
        for (auto& object : block.objects) objects.push_back(std::move(object));
        for (auto& line : block.skipped) skipped.push_back(std::move(line));
    }, 2);
    EXPECT_GT(blocks, 2u);
    EXPECT_FALSE(summary.cancelled);
    EXPECT_EQ(progress.bytesRead, text.size());
    ASSERT_EQ(objects.size(), whole.objects.size());
    EXPECT_EQ(summary.objects, whole.objects.size());
    for (std::size_t i = 0; i < objects.size(); ++i) {
        ASSERT_EQ(objects[i].elements.name, whole.objects[i].elements.name) << i;
        ASSERT_EQ(objects[i].longitudeWest, whole.objects[i].longitudeWest) << i;
    }
    EXPECT_EQ(summary.skippedCount, whole.skippedCount);
    EXPECT_EQ(skipped, whole.skipped);
    EXPECT_GT(whole.skippedCount, 30u);
    EXPECT_EQ(whole.objects[0].elements.name, "SPACE-TRACK 1");  // set 0 is broken; "0 NAME" as Space-Track writes it
}

TEST(ElementFile, ACancelStopsTheReading) {
    const std::string text = MadeUpCatalogue(40000);
    azimora::testing::TempFolder folder;
    const auto file = folder.Path() / "catalogue.tle";
    std::ofstream(file, std::ios::binary) << text;
    ElementFileProgress progress;
    progress.cancelled = true;
    const ElementFileSummary summary =
        ReadElementFile(file, StartOfDay({2026, 12, 7}), progress, [](ElementBlock&&) {}, 2);
    EXPECT_TRUE(summary.cancelled);
    EXPECT_EQ(summary.objects, 0u);
}

}  // namespace
}  // namespace azimora
