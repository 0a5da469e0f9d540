// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <string>

namespace azimora::sources {

// A text for searching: case and accents taken away, as UTF-8. "Zürich",
// "ZURICH" and "zurich" fold alike; so do "Łódź" and "lodz".
[[nodiscard]] std::string FoldForSearch(const QString& text);

}  // namespace azimora::sources
