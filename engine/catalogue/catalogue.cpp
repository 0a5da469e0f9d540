// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "catalogue/catalogue.h"

#include <algorithm>

#include "catalogue/catalogue_order.h"

namespace azimora {
namespace {

char UpperAsciiLetter(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperAsciiLetters(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), UpperAsciiLetter);
    return upper;
}

// Compares a node text with a search text already folded to upper case.
bool MatchesFolded(std::string_view text, std::string_view upperText) {
    return text.size() == upperText.size() &&
           std::equal(text.begin(), text.end(), upperText.begin(),
                      [](char c, char upper) { return UpperAsciiLetter(c) == upper; });
}

}  // namespace

CatalogueNode::CatalogueNode(std::string text, CatalogueNode* parent, std::size_t row)
    : Text(std::move(text)), parent_(parent), row_(row) {}

int CatalogueNode::Level() const noexcept {
    int level = 0;
    for (const CatalogueNode* node = parent_; node != nullptr; node = node->parent_) ++level;
    return level;
}

std::size_t Catalogue::ChildCount(const CatalogueNode* parent) const noexcept {
    return SiblingsOf(parent).size();
}

CatalogueNode& Catalogue::Child(const CatalogueNode* parent, std::size_t index) const {
    return *SiblingsOf(parent).at(index);
}

Catalogue::NodeList& Catalogue::SiblingsOf(CatalogueNode* parent) {
    return parent != nullptr ? parent->children_ : roots_;
}

const Catalogue::NodeList& Catalogue::SiblingsOf(const CatalogueNode* parent) const {
    return parent != nullptr ? parent->children_ : roots_;
}

CatalogueNode* Catalogue::FindNode(std::string_view text) const {
    return FindInPreOrder(roots_, UpperAsciiLetters(text));
}

CatalogueNode* Catalogue::FindInPreOrder(const NodeList& nodes, std::string_view upperText) {
    for (const auto& node : nodes) {
        if (MatchesFolded(node->Text, upperText)) return node.get();
        if (CatalogueNode* found = FindInPreOrder(node->children_, upperText)) return found;
    }
    return nullptr;
}

CatalogueNode& Catalogue::AddChild(CatalogueNode* parent, std::string text) {
    NodeList& siblings = SiblingsOf(parent);
    const std::size_t row = siblings.size();
    if (observer_ != nullptr) observer_->NodeAboutToBeAppended(parent, row);
    siblings.push_back(std::unique_ptr<CatalogueNode>(new CatalogueNode(std::move(text), parent, row)));
    ++nodeCount_;
    CatalogueNode& node = *siblings.back();
    if (observer_ != nullptr) observer_->NodeAppended(node);
    return node;
}

void Catalogue::Sort() { SortSiblings(roots_); }

void Catalogue::SortSiblings(NodeList& nodes) {
    std::stable_sort(nodes.begin(), nodes.end(),
                     [](const auto& a, const auto& b) { return CatalogueLess(a->Text, b->Text); });
    for (std::size_t row = 0; row < nodes.size(); ++row) {
        nodes[row]->row_ = row;
        SortSiblings(nodes[row]->children_);
    }
}

}  // namespace azimora
