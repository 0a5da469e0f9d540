// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// An ordered forest of named nodes, each with two data texts. The satellite
// catalogue is a flat list (Data1 = orbital longitude); the location
// catalogue holds countries, regions and cities (Data1 = latitude,
// Data2 = longitude). Texts are never converted here.
//
// Nodes are owned by their catalogue and never removed, moved or renamed, so
// a reference to a node stays valid as long as the catalogue lives.
namespace azimora {

class Catalogue;

class CatalogueNode final {
public:
    std::string Text;
    std::string Data1;
    std::string Data2;

    CatalogueNode(const CatalogueNode&) = delete;
    CatalogueNode& operator=(const CatalogueNode&) = delete;

    [[nodiscard]] CatalogueNode* Parent() const noexcept { return parent_; }
    // Number of ancestors: 0 for a root.
    [[nodiscard]] int Level() const noexcept;
    [[nodiscard]] std::size_t ChildCount() const noexcept { return children_.size(); }
    [[nodiscard]] CatalogueNode& Child(std::size_t index) const { return *children_.at(index); }
    // Position among its siblings (the roots, for a root).
    [[nodiscard]] std::size_t Row() const noexcept { return row_; }

private:
    friend class Catalogue;
    CatalogueNode(std::string text, CatalogueNode* parent, std::size_t row);

    CatalogueNode* parent_;
    std::size_t row_;
    std::vector<std::unique_ptr<CatalogueNode>> children_;
};

// Told before and after a node is appended, so that a view can follow.
class CatalogueObserver {
public:
    virtual void NodeAboutToBeAppended(const CatalogueNode* parent, std::size_t row) = 0;
    virtual void NodeAppended(const CatalogueNode& node) = 0;

protected:
    ~CatalogueObserver() = default;
};

class Catalogue final {
public:
    Catalogue() = default;
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    [[nodiscard]] std::size_t RootCount() const noexcept { return roots_.size(); }
    [[nodiscard]] CatalogueNode& Root(std::size_t index) const { return *roots_.at(index); }
    // Children of parent, or the roots when parent is null.
    [[nodiscard]] std::size_t ChildCount(const CatalogueNode* parent) const noexcept;
    [[nodiscard]] CatalogueNode& Child(const CatalogueNode* parent, std::size_t index) const;
    // All nodes, roots and descendants.
    [[nodiscard]] std::size_t NodeCount() const noexcept { return nodeCount_; }

    // The first node in pre-order whose text equals text, letters a to z
    // taken for A to Z; nothing else is folded or trimmed.
    [[nodiscard]] CatalogueNode* FindNode(std::string_view text) const;

    // Appends a node with empty data texts as the last child of parent (of
    // this catalogue), or as the last root when parent is null. No sorting.
    CatalogueNode& AddChild(CatalogueNode* parent, std::string text);

    // Puts every sibling list into catalogue order (see catalogue_order.h).
    // Done once, when a catalogue is built, before anyone observes it.
    void Sort();

    // At most one observer; null detaches.
    void SetObserver(CatalogueObserver* observer) noexcept { observer_ = observer; }

private:
    using NodeList = std::vector<std::unique_ptr<CatalogueNode>>;
    static CatalogueNode* FindInPreOrder(const NodeList& nodes, std::string_view upperText);
    static void SortSiblings(NodeList& nodes);
    NodeList& SiblingsOf(CatalogueNode* parent);
    [[nodiscard]] const NodeList& SiblingsOf(const CatalogueNode* parent) const;

    NodeList roots_;
    std::size_t nodeCount_ = 0;
    CatalogueObserver* observer_ = nullptr;
};

}  // namespace azimora
