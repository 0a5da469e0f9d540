// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "main_window/window_parts.h"

namespace azimora::shell {

ShadowLabel* MakeLabel(QWidget* parent, const LabelLayout& layout) {
    auto* label = new ShadowLabel(QString::fromLatin1(layout.text), layout.shadow, parent);
    label->setObjectName(QString::fromLatin1(layout.name));
    label->setFont(layout.font);
    label->setRightAligned(layout.rightAligned);
    if (layout.fixedSize.isValid()) label->setFixedLabelSize(layout.fixedSize);
    label->placeAt(layout.position);
    return label;
}

FlatPanel* MakePanel(QWidget* parent, const char* name, Qt::Edges borders) {
    auto* panel = new FlatPanel(borders, parent);
    panel->setObjectName(QString::fromLatin1(name));
    return panel;
}

RecessedButton* MakeSaveButton(QWidget* parent, const char* name, QRect geometry) {
    auto* button = new RecessedButton(QStringLiteral("..."), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    return button;
}

}  // namespace azimora::shell
