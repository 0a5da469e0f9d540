#include "flat_panel.h"

#include <QPainter>

#include "ui_style.h"

namespace azimora::shell {

FlatPanel::FlatPanel(Qt::Edges borders, QWidget* parent) : QWidget(parent), borders_(borders) {}

void FlatPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ButtonFace(palette()));
    painter.setPen(FlatBorderColour(palette()));
    const QRect r = rect();
    if (borders_ & Qt::TopEdge) painter.drawLine(r.topLeft(), r.topRight());
    if (borders_ & Qt::BottomEdge) painter.drawLine(r.bottomLeft(), r.bottomRight());
    if (borders_ & Qt::LeftEdge) painter.drawLine(r.topLeft(), r.bottomLeft());
    if (borders_ & Qt::RightEdge) painter.drawLine(r.topRight(), r.bottomRight());
}

}  // namespace azimora::shell
