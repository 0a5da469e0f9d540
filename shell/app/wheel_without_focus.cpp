// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "app/wheel_without_focus.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>

namespace azimora::shell {
namespace {

bool TakesNumbersByWheel(const QObject* object) {
    return qobject_cast<const QAbstractSpinBox*>(object) != nullptr || qobject_cast<const QComboBox*>(object) != nullptr;
}

class WheelFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Polish && TakesNumbersByWheel(watched)) {
            // The wheel gives them no focus either: a click or Tab does.
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->focusPolicy() == Qt::WheelFocus) widget->setFocusPolicy(Qt::StrongFocus);
        } else if (event->type() == QEvent::Wheel && TakesNumbersByWheel(watched) &&
                   !static_cast<QWidget*>(watched)->hasFocus()) {
            // Not taken here: it goes on to the pane around, which scrolls.
            event->ignore();
            return true;
        }
        return false;
    }
};

}  // namespace

void WheelOnlyWithFocus(QApplication& application) { application.installEventFilter(new WheelFilter(&application)); }

}  // namespace azimora::shell
