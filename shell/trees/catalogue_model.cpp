// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "trees/catalogue_model.h"

namespace azimora::shell {

CatalogueModel::CatalogueModel(Catalogue& catalogue, QObject* parent)
    : QAbstractItemModel(parent), catalogue_(catalogue) {
    catalogue_.SetObserver(this);
}

CatalogueModel::~CatalogueModel() { catalogue_.SetObserver(nullptr); }

const CatalogueNode* CatalogueModel::NodeAt(const QModelIndex& index) const {
    return index.isValid() ? static_cast<const CatalogueNode*>(index.internalPointer()) : nullptr;
}

QModelIndex CatalogueModel::IndexOf(const CatalogueNode* node) const {
    if (node == nullptr) return {};
    return createIndex(static_cast<int>(node->Row()), 0, const_cast<CatalogueNode*>(node));
}

QModelIndex CatalogueModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column != 0) return {};
    const CatalogueNode* parentNode = NodeAt(parent);
    if (static_cast<std::size_t>(row) >= catalogue_.ChildCount(parentNode)) return {};
    return IndexOf(&catalogue_.Child(parentNode, static_cast<std::size_t>(row)));
}

QModelIndex CatalogueModel::parent(const QModelIndex& child) const {
    const CatalogueNode* node = NodeAt(child);
    return node != nullptr ? IndexOf(node->Parent()) : QModelIndex();
}

int CatalogueModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    return static_cast<int>(catalogue_.ChildCount(NodeAt(parent)));
}

int CatalogueModel::columnCount(const QModelIndex&) const { return 1; }

QVariant CatalogueModel::data(const QModelIndex& index, int role) const {
    const CatalogueNode* node = NodeAt(index);
    if (node == nullptr) return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole: return QString::fromStdString(node->Text);
        default: return {};
    }
}

Qt::ItemFlags CatalogueModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void CatalogueModel::NodeAboutToBeAppended(const CatalogueNode* parent, std::size_t row) {
    if (bulkDepth_ > 0) return;
    beginInsertRows(IndexOf(parent), static_cast<int>(row), static_cast<int>(row));
}

void CatalogueModel::NodeAppended(const CatalogueNode&) {
    if (bulkDepth_ > 0) return;
    endInsertRows();
}

CatalogueModel::BulkAppend::BulkAppend(CatalogueModel& model) : model_(model) {
    if (model_.bulkDepth_++ == 0) model_.beginResetModel();
}

CatalogueModel::BulkAppend::~BulkAppend() {
    if (--model_.bulkDepth_ == 0) model_.endResetModel();
}

}  // namespace azimora::shell
