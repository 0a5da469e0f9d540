// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "controller/dialogs.h"

#include <exception>
#include <new>
#include <vector>

#include "errors.h"

namespace azimora {

std::string ErrorBoxText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
    return text;
}

void RunHandler(Dialogs& dialogs, const std::function<void()>& handler) noexcept {
    std::vector<std::string> messages;
    try {
        handler();
        return;
    } catch (const std::bad_alloc&) {
        messages = {"Out of memory"};
    } catch (const ErrorSeries& errors) {
        messages = errors.Messages();
    } catch (const std::exception& error) {
        messages = {error.what()};
    } catch (...) {
        messages = {"Unexpected error"};
    }
    try {
        for (const std::string& message : messages) dialogs.ShowError(ErrorBoxText(message));
    } catch (...) {
        // Nothing sensible is left to tell the user with.
    }
}

}  // namespace azimora
