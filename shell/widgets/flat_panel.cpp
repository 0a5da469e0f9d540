// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "widgets/flat_panel.h"

#include <QPainter>

#include "widgets/pixel_frame.h"
#include "widgets/ui_style.h"

namespace azimora::shell {

FlatPanel::FlatPanel(Qt::Edges borders, QWidget* parent) : QWidget(parent), borders_(borders) {}

void FlatPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ButtonFace(palette()));
    DrawFlatFrame(painter, rect(), FlatBorderColour(palette()), {.edges = borders_});
}

}  // namespace azimora::shell
