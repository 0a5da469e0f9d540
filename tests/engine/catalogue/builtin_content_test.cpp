// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/builtin_catalogues.h"
#include "catalogue/builtin_tables.h"

namespace azimora {
namespace {

struct Flat {
    int level;
    std::string text, data1, data2;
    bool operator==(const Flat&) const = default;
};

void Flatten(const Catalogue& catalogue, const CatalogueNode* parent, std::vector<Flat>& out) {
    for (std::size_t i = 0; i < catalogue.ChildCount(parent); ++i) {
        const CatalogueNode& node = catalogue.Child(parent, i);
        EXPECT_EQ(node.Row(), i);
        EXPECT_EQ(node.Parent(), parent);
        out.push_back({node.Level(), node.Text, node.Data1, node.Data2});
        Flatten(catalogue, &node, out);
    }
}

// The tables are listed in catalogue order, so sorting moves no node.
TEST(BuiltInContent, SortingMovesNoNode) {
    std::vector<Flat> satellites;
    Flatten(*BuiltInSatelliteCatalogue(), nullptr, satellites);
    std::vector<Flat> expectedSatellites;
    for (const auto& entry : builtin::Satellites()) expectedSatellites.push_back({0, entry.name, entry.longitude, ""});
    EXPECT_EQ(satellites, expectedSatellites);

    std::vector<Flat> locations;
    Flatten(*BuiltInLocationCatalogue(), nullptr, locations);
    std::vector<Flat> expectedLocations;
    for (const auto& entry : builtin::Locations())
        expectedLocations.push_back({entry.level, entry.name, entry.latitude, entry.longitude});
    EXPECT_EQ(locations, expectedLocations);
}

TEST(BuiltInContent, CountsAndShape) {
    const auto satellites = BuiltInSatelliteCatalogue();
    EXPECT_EQ(satellites->RootCount(), 101u);
    EXPECT_EQ(satellites->NodeCount(), 101u);
    EXPECT_EQ(satellites->Root(0).Text, "AfriStar");
    EXPECT_EQ(satellites->Root(100).Text, "Thor 1 thru 3");

    const auto locations = BuiltInLocationCatalogue();
    EXPECT_EQ(locations->NodeCount(), 298u);
    std::vector<std::string> roots;
    for (std::size_t i = 0; i < locations->RootCount(); ++i) roots.push_back(locations->Root(i).Text);
    EXPECT_EQ(roots, (std::vector<std::string>{"CANADA", "ENGLAND / UK", "IRELAND", "NETHERLANDS", "UNITED STATES",
                                               "USER DEFINED"}));

    auto countBelow = [](const CatalogueNode& root) {
        std::size_t regions = root.ChildCount(), cities = 0;
        for (std::size_t i = 0; i < root.ChildCount(); ++i) cities += root.Child(i).ChildCount();
        return std::pair{regions, cities};
    };
    EXPECT_EQ(countBelow(locations->Root(0)), (std::pair<std::size_t, std::size_t>{11, 92}));
    EXPECT_EQ(countBelow(locations->Root(1)), (std::pair<std::size_t, std::size_t>{23, 0}));
    EXPECT_EQ(countBelow(locations->Root(2)), (std::pair<std::size_t, std::size_t>{5, 0}));
    EXPECT_EQ(countBelow(locations->Root(3)), (std::pair<std::size_t, std::size_t>{6, 0}));
    EXPECT_EQ(countBelow(locations->Root(4)), (std::pair<std::size_t, std::size_t>{51, 104}));
    EXPECT_EQ(locations->Root(5).ChildCount(), 0u);
}

TEST(BuiltInContent, TextsStayExactlyAsWritten) {
    const auto satellites = BuiltInSatelliteCatalogue();
    const auto locations = BuiltInLocationCatalogue();
    struct Case {
        const Catalogue* catalogue;
        const char* text;
        int level;
        const char* data1;
        const char* data2;
    };
    for (const Case& c : {
             Case{satellites.get(), "GE-5", 0, "79.0", ""},
             Case{satellites.get(), "SpaceNet 3R", 0, "83.0", ""},
             Case{satellites.get(), "PAS-4", 0, "291.5", ""},
             Case{satellites.get(), "DBS-1,2,3 - DirecTV", 0, "101", ""},
             Case{locations.get(), "CANADA", 0, "", ""},
             Case{locations.get(), "ALBERTA", 1, "", ""},
             Case{locations.get(), "Calgary", 2, "51.08", "114.08"},
             Case{locations.get(), "BRITISH COLUMBIA", 1, "", "120.42"},
             Case{locations.get(), "Whitehorse", 2, "60.72", ""},
             Case{locations.get(), "Canso", 2, "45.33", "61.00"},
             Case{locations.get(), "Greenwich", 1, "51.467", "0.00000001"},
             Case{locations.get(), "London", 1, "51.517", "-0.1061"},
             Case{locations.get(), "Manchester", 1, "53.482", "-2.250108"},
             Case{locations.get(), "WASHINGTON D.C.", 1, "38.92", "80.13"},
             Case{locations.get(), "Laramie", 2, "41.31", "105.67"},
         }) {
        const CatalogueNode* node = c.catalogue->FindNode(c.text);
        ASSERT_NE(node, nullptr) << c.text;
        EXPECT_EQ(node->Text, c.text);
        EXPECT_EQ(node->Level(), c.level) << c.text;
        EXPECT_EQ(node->Data1, c.data1) << c.text;
        EXPECT_EQ(node->Data2, c.data2) << c.text;
    }
    EXPECT_EQ(locations->FindNode("WASHINGTON D.C.")->ChildCount(), 0u);
}

}  // namespace
}  // namespace azimora
