// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <filesystem>

#include "temp_folder.h"

namespace azimora::testing {

// A tmpfs of the given size mounted on a fresh folder, for tests of a full
// disk; unmounted again when it goes. Mounting needs root: when it cannot be
// done, Mounted() is false and the test should skip.
class SmallDisk {
public:
    explicit SmallDisk(std::size_t bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    [[nodiscard]] bool Mounted() const noexcept { return mounted_; }
    [[nodiscard]] const std::filesystem::path& Path() const noexcept { return folder_.Path(); }

private:
    TempFolder folder_;
    bool mounted_ = false;
};

}  // namespace azimora::testing
