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

std::vector<std::string> MessagesOf(const std::exception_ptr& fault) noexcept {
    try {
        try {
            std::rethrow_exception(fault);
        } catch (const std::bad_alloc&) {
            return {"Out of memory"};
        } catch (const ErrorSeries& errors) {
            return errors.Messages();
        } catch (const std::exception& error) {
            return {error.what()};
        } catch (...) {
            return {"Unexpected error"};
        }
    } catch (...) {
        return {};  // no memory left even for the message
    }
}

void RunHandler(Dialogs& dialogs, const std::function<void()>& handler) noexcept {
    std::vector<std::string> messages;
    try {
        handler();
        return;
    } catch (...) {
        messages = MessagesOf(std::current_exception());
    }
    try {
        for (const std::string& message : messages) dialogs.ShowError(ErrorBoxText(message));
    } catch (...) {
        // Nothing sensible is left to tell the user with.
    }
}

}  // namespace azimora
