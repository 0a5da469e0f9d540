// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "controller/dialogs.h"

namespace azimora::testing {

// Answers confirmations from a script (Yes when it runs out) and records
// every box shown.
class ScriptedDialogs final : public Dialogs {
public:
    std::deque<ConfirmAnswer> answers;
    std::vector<std::string> questions;
    std::vector<std::string> errors;
    std::vector<std::string> informations;

    ConfirmAnswer Confirm(const std::string& question) override {
        questions.push_back(question);
        if (answers.empty()) return ConfirmAnswer::Yes;
        const ConfirmAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowError(const std::string& text) override { errors.push_back(text); }
    void ShowInformation(const std::string& text) override { informations.push_back(text); }
};

}  // namespace azimora::testing
