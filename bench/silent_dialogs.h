// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include "controller/dialogs.h"

// Boxes that show nothing and answer No: benchmarks must never block.
class SilentDialogs final : public azimora::Dialogs {
public:
    azimora::ConfirmAnswer Confirm(const std::string&) override { return azimora::ConfirmAnswer::No; }
    void ShowError(const std::string&) override {}
    void ShowInformation(const std::string&) override {}
};
