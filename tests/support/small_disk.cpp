// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "small_disk.h"

#include <sys/mount.h>

#include <string>

namespace azimora::testing {

SmallDisk::SmallDisk(std::size_t bytes) {
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
    mounted_ = ::mount("tmpfs", folder_.Path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
}

SmallDisk::~SmallDisk() {
    if (mounted_) ::umount2(folder_.Path().c_str(), MNT_DETACH);
}

}  // namespace azimora::testing
