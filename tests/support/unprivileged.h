// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace azimora::testing {

// Runs body and returns what it returns. When the tests run as root, where
// permissions stop nothing, body runs in a child process that has dropped
// to the unprivileged user "nobody"; nullopt when that is not possible.
[[nodiscard]] std::optional<std::string> RunUnprivileged(const std::function<std::string()>& body);

}  // namespace azimora::testing
