// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The modal boxes the tool shows. The shell implements them with real
// message boxes; tests answer them from a script.
namespace azimora {

enum class ConfirmAnswer {
    Yes,
    No,
    Closed,  // dismissed through the window frame: not a No
};

class Dialogs {
public:
    // The Yes/No question, Yes the default.
    virtual ConfirmAnswer Confirm(const std::string& question) = 0;
    // The error box; text is already in its final form (see ErrorBoxText).
    virtual void ShowError(const std::string& text) = 0;
    // A plain message box without an icon.
    virtual void ShowInformation(const std::string& text) = 0;

protected:
    ~Dialogs() = default;
};

// The error box text: the message, with a "." appended when its last
// character sorts after "." (so "... value" gains one, "... (1)" does not).
[[nodiscard]] std::string ErrorBoxText(std::string_view message);

// The messages an error carries, as the error box shows them: an ErrorSeries
// its own, std::bad_alloc "Out of memory", anything else its what().
[[nodiscard]] std::vector<std::string> MessagesOf(const std::exception_ptr& fault) noexcept;

// Runs one handler; whatever it raises ends it there and is shown in the
// error box (an ErrorSeries in one box per message). The one place where
// handlers are called, so that every handler fails the same way; nothing
// escapes it.
void RunHandler(Dialogs& dialogs, const std::function<void()>& handler) noexcept;

}  // namespace azimora
