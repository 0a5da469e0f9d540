// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// azimora-calc: the installer's numbers from the command line. Parses the
// arguments, asks the engine, prints; it has no logic of its own.
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <vector>

#include "azimora_version.h"
#include "batch.h"
#include "calc_options.h"
#include "calc_report.h"
#include "file_input.h"

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
        calc::FileInput file(*options.batchFile);
        if (!file.Error().empty()) return Fail("--batch: cannot read '" + *options.batchFile + "': " + file.Error(), 2);
        std::istream in(&file);
        const auto result = calc::RunBatch(in, std::cout, {options.inputs.instant, options.inputs.altitudeKm});
        if (!file.Error().empty()) return Fail("--batch: cannot read '" + *options.batchFile + "': " + file.Error(), 1);
        if (result.headerError) return Fail("--batch: " + *result.headerError, 2);
        if (result.inputError) return Fail("--batch: " + *result.inputError, 1);
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

// Output that did not reach its file is no success: a full disk, a file-size
// limit, a closed pipe all show at the latest when the last buffer goes.
int CheckedOutput(int status) {
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    const int error = errno;
    if (flushed && !std::ferror(stdout) && std::cout.good()) return status;
    return Fail(std::string("cannot write the output: ") + std::strerror(error != 0 ? error : EIO), 1);
}

int main(int argc, char* argv[]) {
    // Past a file-size limit, a write fails and says so, rather than the
    // process vanishing.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const auto parsed = azimora::calc::ParseCalcArguments(args, Now());
    if (const auto* error = std::get_if<azimora::calc::ArgumentError>(&parsed)) return Fail(error->message, 2);
    try {
        return CheckedOutput(Run(std::get<azimora::calc::CalcOptions>(parsed)));
    } catch (const std::exception& error) {
        return Fail(error.what(), 1);
    }
}
