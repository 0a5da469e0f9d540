// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QShowEvent;

// A dialog kept whole on its screen at any scale (at 2x a dialog's own size
// may pass the screen's): when it is first shown, KeepWithinScreen; after
// that it is the user's to move.
namespace azimora::shell {

class OnScreenDialog : public QDialog {
    Q_OBJECT

public:
    explicit OnScreenDialog(QWidget* parent) : QDialog(parent) {}
    Q_DISABLE_COPY_MOVE(OnScreenDialog)

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool placed_ = false;  // kept on the screen once, when first shown
};

}  // namespace azimora::shell
