// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "qt_printers.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include "catalogue/builtin_catalogues.h"
#include "trees/catalogue_model.h"

namespace azimora::shell {
namespace {

TEST(CatalogueModel, PassesQtsModelChecks) {
    for (auto build : {&BuiltInSatelliteCatalogue, &BuiltInLocationCatalogue}) {
        const auto catalogue = build();
        CatalogueModel model(*catalogue);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        // Appends go through the checks as well.
        catalogue->AddChild(catalogue->FindNode("USER DEFINED"), "Home");
        catalogue->AddChild(nullptr, "Added root");
        EXPECT_EQ(model.rowCount(), static_cast<int>(catalogue->RootCount()));
    }
}

TEST(CatalogueModel, ShowsNodesInCatalogueOrder) {
    auto locations = BuiltInLocationCatalogue();
    CatalogueModel model(*locations);
    ASSERT_EQ(model.rowCount(), 6);
    const QModelIndex canada = model.index(0, 0);
    EXPECT_EQ(canada.data().toString(), "CANADA");
    const QModelIndex alberta = model.index(0, 0, canada);
    const QModelIndex calgary = model.index(0, 0, alberta);
    EXPECT_EQ(calgary.data().toString(), "Calgary");
    EXPECT_EQ(model.parent(calgary), alberta);
    EXPECT_EQ(model.NodeAt(calgary), locations->FindNode("Calgary"));
    EXPECT_EQ(model.IndexOf(locations->FindNode("Calgary")), calgary);
    EXPECT_EQ(model.rowCount(model.index(4, 0)), 51);
    EXPECT_FALSE(model.flags(calgary) & Qt::ItemIsEditable);
}

TEST(CatalogueModel, AppendedNodesAppearAtTheEndOfTheirSiblings) {
    auto locations = BuiltInLocationCatalogue();
    CatalogueModel model(*locations);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    CatalogueNode* userDefined = locations->FindNode("USER DEFINED");
    locations->AddChild(userDefined, "Zeta");
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(model.index(0, 0, model.index(5, 0)).data().toString(), "Zeta");
    {
        CatalogueModel::BulkAppend bulk(model);
        for (int i = 0; i < 1000; ++i) locations->AddChild(userDefined, "Alpha");
    }
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model.rowCount(model.index(5, 0)), 1001);
    EXPECT_EQ(model.index(1000, 0, model.index(5, 0)).data().toString(), "Alpha");
}

}  // namespace
}  // namespace azimora::shell
