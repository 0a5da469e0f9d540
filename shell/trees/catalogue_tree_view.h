// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QTreeView>

#include "catalogue/catalogue.h"

namespace azimora::shell {

class CatalogueModel;

// A tree view over a catalogue in the classic look: no border, items in
// black on the button face, hot tracking (the item under the pointer
// underlined and blue), the selection shown only while the view has the
// focus, double-click toggling expansion, no editing and no Tab stop.
// Every move of the selection, by mouse or keyboard, reports the node.
class CatalogueTreeView final : public QTreeView {
    Q_OBJECT

public:
    struct Options {
        int indentation;
        bool linesAndButtons;  // connecting lines and expand buttons, at the root level too
    };

    CatalogueTreeView(CatalogueModel& model, Options options, QWidget* parent);
    Q_DISABLE_COPY_MOVE(CatalogueTreeView)

    [[nodiscard]] CatalogueModel& catalogueModel() const { return model_; }
    // The left edge of an item's text, in viewport coordinates.
    [[nodiscard]] int textLeft(const QModelIndex& index) const;
    void selectNode(const CatalogueNode* node);

signals:
    void nodeSelected(const azimora::CatalogueNode& node);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    CatalogueModel& model_;
};

}  // namespace azimora::shell
