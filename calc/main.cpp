// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// azimora-calc: the installer's numbers from the command line. Parses the
// arguments, asks the engine, prints; it has no logic of its own.
#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <vector>

#include "azimora_version.h"
#include "batch.h"
#include "calc_options.h"
#include "calc_report.h"

namespace {

azimora::UnixSeconds Now() {
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

int Fail(const std::string& message, int code) {
    std::fprintf(stderr, "azimora-calc: %s\n", message.c_str());
    return code;
}

int Run(const azimora::calc::CalcOptions& options) {
    using namespace azimora;
    if (options.help) {
        std::fputs(calc::CalcUsage().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("azimora-calc %s\n", kVersion);
        return 0;
    }
    if (options.batchFile) {
        std::ifstream in(*options.batchFile, std::ios::binary);
        if (!in) return Fail("--batch: cannot read '" + *options.batchFile + "'", 2);
        const auto result = calc::RunBatch(in, std::cout, {options.inputs.instant, options.inputs.altitudeKm});
        std::cout.flush();
        if (result.headerError) return Fail("--batch: " + *result.headerError, 2);
        return result.failed > 0 ? 1 : 0;
    }
    const InstallationFigures figures = ComputeInstallation(options.inputs);
    const auto outages = OutagesOfTheYear(options.inputs);
    const std::string report = options.json ? calc::JsonReport(figures, outages)
                                            : calc::PlainReport(options.inputs, figures, outages);
    std::fputs(report.c_str(), stdout);
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const auto parsed = azimora::calc::ParseCalcArguments(args, Now());
    if (const auto* error = std::get_if<azimora::calc::ArgumentError>(&parsed)) return Fail(error->message, 2);
    try {
        return Run(std::get<azimora::calc::CalcOptions>(parsed));
    } catch (const std::exception& error) {
        return Fail(error.what(), 1);
    }
}
