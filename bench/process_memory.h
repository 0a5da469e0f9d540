// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <fstream>
#include <string>

// The process's memory as Linux tells it, for the benchmarks' counters.
namespace azimora::bench {

// A figure of /proc/self/status, in MB ("VmHWM" the peak, "VmRSS" now).
inline double StatusMegabytes(const char* field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0) return std::stod(line.substr(line.find(':') + 1)) / 1024.0;
    return 0;
}

// Starts the peak of memory afresh (Linux: 5 into clear_refs).
inline void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

}  // namespace azimora::bench
