// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <functional>

#include "widgets/flat_panel.h"
#include "widgets/recessed_button.h"
#include "widgets/shadow_label.h"

// The pieces the main window is built from, each made the one way the
// window needs it.
namespace azimora::shell {

// The window's client area: lays its children out on every resize.
class ClientArea final : public QWidget {
public:
    ClientArea(QWidget* parent, std::function<void(QSize)> layOut) : QWidget(parent), layOut_(std::move(layOut)) {}

protected:
    void resizeEvent(QResizeEvent*) override { layOut_(size()); }

private:
    std::function<void(QSize)> layOut_;
};

struct LabelLayout {
    const char* name;
    const char* text;
    QPoint position;  // top-left, or top-right for a right-aligned label
    QFont font;
    QPoint shadow;
    bool rightAligned = false;
    QSize fixedSize = {};
};

// Made as a child of parent, which owns it.
ShadowLabel* MakeLabel(QWidget* parent, const LabelLayout& layout);
FlatPanel* MakePanel(QWidget* parent, const char* name, Qt::Edges borders);
RecessedButton* MakeSaveButton(QWidget* parent, const char* name, QRect geometry);

}  // namespace azimora::shell
