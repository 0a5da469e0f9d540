#include "dialogs.h"

#include <exception>
#include <new>

namespace azimora {

std::string ErrorBoxText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
    return text;
}

void RunHandler(Dialogs& dialogs, const std::function<void()>& handler) noexcept {
    std::string message;
    try {
        handler();
        return;
    } catch (const std::bad_alloc&) {
        message = "Out of memory";
    } catch (const std::exception& error) {
        message = error.what();
    } catch (...) {
        message = "Unexpected error";
    }
    try {
        dialogs.ShowError(ErrorBoxText(message));
    } catch (...) {
        // Nothing sensible is left to tell the user with.
    }
}

}  // namespace azimora
