// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "controller/dialogs.h"
#include "controller/window_texts.h"

class QWidget;

namespace azimora::shell {

// The message boxes of the tool, as real modal Qt boxes.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) {}

    void setOwner(QWidget* owner) { owner_ = owner; }

    ConfirmAnswer Confirm(const std::string& question) override;
    void ShowError(const std::string& text) override;
    void ShowInformation(const std::string& text) override;

private:
    QWidget* owner_;
};

}  // namespace azimora::shell
