// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "installation.h"
#include "sky/civil_time.h"

// The command line of azimora-calc, parsed; no figure is computed here.
namespace azimora::calc {

struct CalcOptions {
    InstallationInputs inputs;  // sat-lon, lat, lon, the date, altitude, dish, frequency, offset
    bool json = false;
    std::optional<std::string> batchFile;
    bool help = false;
    bool version = false;
};

// A wrong command line: one line naming the argument ("--lat: 'abc' is not a number").
struct ArgumentError {
    std::string message;
};

// args without the program name; now is the default date (today, UTC).
[[nodiscard]] std::variant<CalcOptions, ArgumentError> ParseCalcArguments(std::span<const std::string_view> args,
                                                                         UnixSeconds now);

[[nodiscard]] std::string CalcUsage();

}  // namespace azimora::calc
