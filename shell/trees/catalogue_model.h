// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractItemModel>

#include "catalogue/catalogue.h"

namespace azimora::shell {

// A read-only tree model over a catalogue: one item per node, showing its
// text, in catalogue order. Nodes appended later appear at once at the end
// of their sibling lists. Items carry the node itself (NodeRole, and
// NodeAt), so a view hands the controller the node, not a copy.
class CatalogueModel final : public QAbstractItemModel, private CatalogueObserver {
    Q_OBJECT

public:
    explicit CatalogueModel(Catalogue& catalogue, QObject* parent = nullptr);
    ~CatalogueModel() override;
    Q_DISABLE_COPY_MOVE(CatalogueModel)

    [[nodiscard]] const CatalogueNode* NodeAt(const QModelIndex& index) const;
    [[nodiscard]] QModelIndex IndexOf(const CatalogueNode* node) const;

    // While one lives, appends are gathered into a single model reset:
    // appending many thousand nodes one row at a time would make the views
    // do the same work thousands of times.
    class BulkAppend {
    public:
        explicit BulkAppend(CatalogueModel& model);
        ~BulkAppend();
        BulkAppend(const BulkAppend&) = delete;
        BulkAppend& operator=(const BulkAppend&) = delete;

    private:
        CatalogueModel& model_;
    };

    [[nodiscard]] QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    [[nodiscard]] QModelIndex parent(const QModelIndex& child) const override;
    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void NodeAboutToBeAppended(const CatalogueNode* parent, std::size_t row) override;
    void NodeAppended(const CatalogueNode& node) override;

    Catalogue& catalogue_;
    int bulkDepth_ = 0;
};

}  // namespace azimora::shell
