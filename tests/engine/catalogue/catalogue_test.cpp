// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/builtin_catalogues.h"

namespace azimora {
namespace {

std::string PathOf(const CatalogueNode* node) {
    if (node == nullptr) return "<none>";
    std::string path = node->Text;
    for (const CatalogueNode* parent = node->Parent(); parent != nullptr; parent = parent->Parent())
        path = parent->Text + " > " + path;
    return path;
}

TEST(FindNode, FoldsOnlyAsciiLettersAndVisitsInPreOrder) {
    const auto locations = BuiltInLocationCatalogue();
    struct Case {
        const char* search;
        const char* found;
    };
    for (const Case& c : {
             Case{"user defined", "USER DEFINED"},
             Case{"user defined ", "<none>"},
             Case{" USER DEFINED", "<none>"},
             Case{"Liverpool", "CANADA > NOVA SCOTIA > Liverpool"},
             Case{"Birmingham", "ENGLAND / UK > Birmingham"},
             Case{"DOVER", "ENGLAND / UK > Dover"},
             Case{"New York", "UNITED STATES > NEW YORK"},
             Case{"Quebec", "CANADA > QUEBEC"},
             Case{"washington d.c.", "UNITED STATES > WASHINGTON D.C."},
             Case{"calgary", "CANADA > ALBERTA > Calgary"},
             Case{"Clarks Harbour", "<none>"},
             Case{"", "<none>"},
         }) {
        EXPECT_EQ(PathOf(locations->FindNode(c.search)), c.found) << c.search;
    }
}

TEST(FindNode, DoesNotFoldBeyondAsciiLetters) {
    Catalogue catalogue;
    catalogue.AddChild(nullptr, "\xC3\xA9t\xC3\xA9");  // "été"
    catalogue.AddChild(nullptr, "[A]");
    EXPECT_EQ(catalogue.FindNode("\xC3\x89T\xC3\x89"), nullptr);  // "ÉTÉ"
    EXPECT_EQ(catalogue.FindNode("{a}"), nullptr);  // '{' is 'z' + 1, '[' is 'Z' + 1
    EXPECT_NE(catalogue.FindNode("[a]"), nullptr);
}

TEST(AddChild, AppendsWithoutSortingAndKeepsReferencesValid) {
    auto locations = BuiltInLocationCatalogue();
    CatalogueNode* userDefined = locations->FindNode("USER DEFINED");
    ASSERT_NE(userDefined, nullptr);
    CatalogueNode& zeta = locations->AddChild(userDefined, "Zeta");
    CatalogueNode& alpha = locations->AddChild(userDefined, "Alpha");
    // Enough siblings to reallocate any vector holding them.
    for (int i = 0; i < 1000; ++i) locations->AddChild(userDefined, "Node " + std::to_string(i));
    EXPECT_EQ(&userDefined->Child(0), &zeta);
    EXPECT_EQ(&userDefined->Child(1), &alpha);
    EXPECT_EQ(zeta.Text, "Zeta");
    EXPECT_EQ(alpha.Level(), 1);
    EXPECT_EQ(alpha.Row(), 1u);
    EXPECT_EQ(alpha.Parent(), userDefined);
    EXPECT_TRUE(alpha.Data1.empty() && alpha.Data2.empty() && alpha.ChildCount() == 0);
    EXPECT_EQ(locations->NodeCount(), 298u + 1002u);

    auto satellites = BuiltInSatelliteCatalogue();
    CatalogueNode& added = satellites->AddChild(nullptr, "Alpha");
    ASSERT_EQ(satellites->RootCount(), 102u);
    EXPECT_EQ(&satellites->Root(101), &added);
    EXPECT_EQ(satellites->Root(100).Text, "Thor 1 thru 3");
    EXPECT_EQ(added.Level(), 0);
    EXPECT_EQ(added.Parent(), nullptr);
    // Empty and duplicate texts are accepted.
    satellites->AddChild(nullptr, "");
    satellites->AddChild(nullptr, "Alpha");
    EXPECT_EQ(satellites->RootCount(), 104u);
}

struct RecordingObserver final : CatalogueObserver {
    std::vector<std::string> events;
    const Catalogue* catalogue = nullptr;
    void NodeAboutToBeAppended(const CatalogueNode* parent, std::size_t row) override {
        // Not yet there: a view inserting rows relies on this.
        events.push_back("before " + PathOf(parent) + " #" + std::to_string(row) + " of " +
                         std::to_string(catalogue->ChildCount(parent)));
    }
    void NodeAppended(const CatalogueNode& node) override { events.push_back("after " + PathOf(&node)); }
};

TEST(AddChild, TellsTheObserverBeforeAndAfter) {
    auto locations = BuiltInLocationCatalogue();
    RecordingObserver observer;
    observer.catalogue = locations.get();
    locations->SetObserver(&observer);
    locations->AddChild(locations->FindNode("USER DEFINED"), "Home");
    locations->AddChild(nullptr, "MARS");
    EXPECT_EQ(observer.events, (std::vector<std::string>{"before USER DEFINED #0 of 0", "after USER DEFINED > Home",
                                                         "before <none> #6 of 6", "after MARS"}));
}

TEST(Sort, OrdersEverySiblingListOnce) {
    Catalogue catalogue;
    CatalogueNode& b = catalogue.AddChild(nullptr, "b");
    catalogue.AddChild(nullptr, "A");
    catalogue.AddChild(&b, "y-2");
    catalogue.AddChild(&b, "x 1");
    catalogue.Sort();
    EXPECT_EQ(catalogue.Root(0).Text, "A");
    EXPECT_EQ(catalogue.Root(1).Row(), 1u);
    EXPECT_EQ(b.Child(0).Text, "x 1");
    EXPECT_EQ(b.Child(1).Text, "y-2");
    EXPECT_EQ(b.Child(1).Row(), 1u);
    // Appending afterwards does not re-sort.
    catalogue.AddChild(nullptr, "0");
    EXPECT_EQ(catalogue.Root(2).Text, "0");
}

}  // namespace
}  // namespace azimora
