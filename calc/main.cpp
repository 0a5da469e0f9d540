// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// azimora-calc: the installer's numbers from the command line. Parses the
// arguments, asks the engine, prints; it has no logic of its own.
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <sstream>
#include <vector>

#include "azimora_version.h"
#include "batch.h"
#include "calc_options.h"
#include "calc_report.h"
#include "element_list.h"
#include "element_motion.h"
#include "file_input.h"
#include "formats/kept_elements.h"
#include "formats/nmea.h"

namespace {

azimora::UnixSeconds Now() {
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

int Fail(const std::string& message, int code) {
    std::fprintf(stderr, "azimora-calc: %s\n", message.c_str());
    return code;
}

// A wrong argument; an input that cannot be read is no usage error (Fail, 1).
int UsageError(const std::string& message) {
    std::fprintf(stderr, "azimora-calc: %s\nTry 'azimora-calc --help'\n", message.c_str());
    return 2;
}

std::string InputName(const std::string& path) { return path == "-" ? "standard input" : "'" + path + "'"; }

azimora::calc::ZoneTime ZoneOf(const azimora::calc::CalcOptions& options) {
    if (!options.timeZone) return {};
    return *azimora::calc::ZoneTime::Named(*options.timeZone);
}

int Run(const azimora::calc::CalcOptions& options) {
    using namespace azimora;
    using calc::CalcMode;
    switch (options.mode) {
        case CalcMode::Help: std::fputs(calc::CalcUsage().c_str(), stdout); return 0;
        case CalcMode::Version: std::fputs(calc::CalcVersion().c_str(), stdout); return 0;
        case CalcMode::Batch: {
            calc::FileInput file(options.file);
            const std::string name = InputName(options.file);
            if (!file.Error().empty()) return Fail("--batch: cannot read " + name + ": " + file.Error(), 1);
            std::istream in(&file);
            calc::BatchSettings settings{options.inputs, std::nullopt, ZoneOf(options), options.json, options.siteZone,
                                         options.day};
            if (options.hasSatellite) settings.satelliteLongitude = options.inputs.satelliteLongitudeWest;
            const auto result = calc::RunBatch(in, std::cout, settings);
            if (!file.Error().empty()) return Fail("--batch: cannot read " + name + ": " + file.Error(), 1);
            if (result.headerError) return Fail("--batch: " + *result.headerError, 1);
            if (result.inputError) return Fail("--batch: " + *result.inputError, 1);
            if (result.failed > 0) {
                std::fprintf(stderr, "azimora-calc: --batch: %zu of %zu rows failed (their error column says why)\n",
                             result.failed, result.rows);
                return 1;
            }
            return 0;
        }
        case CalcMode::Elements: {
            std::string path = options.file;
            if (options.keptElements) {
                const auto folder = KeptElementsFolder(std::getenv("XDG_CACHE_HOME"), std::getenv("HOME"));
                const KeptElementsLookup lookup = LookUpKeptElements(folder);
                if (!lookup.kept && lookup.problem.empty())
                    return Fail("--kept-elements: no download is kept in '" + folder.string() +
                                    "': download current elements in Azimora's Tools > Import Satellites first",
                                1);
                if (!lookup.kept)
                    return Fail("--kept-elements: the download kept in '" + folder.string() + "' cannot be used: " +
                                    lookup.problem + "; download current elements again in Azimora's Tools > Import "
                                    "Satellites",
                                1);
                const KeptElements& kept = *lookup.kept;
                path = kept.file.string();
                std::fprintf(stderr, "azimora-calc: --kept-elements: downloaded %s from %s, %s old\n",
                             IsoUtc(kept.downloaded).c_str(), kept.address.c_str(),
                             AgeText(Now() - kept.downloaded).c_str());
            }
            calc::FileInput file(path, calc::FileInput::Source::FileOrPipe);
            const std::string name = InputName(path);
            if (!file.Error().empty()) return Fail("--tle: cannot read " + name + ": " + file.Error(), 1);
            std::istream in(&file);
            // Nothing is listed from an input that failed on the way.
            std::ostringstream listed, skipped;
            const auto result =
                options.elementsAtSite
                    ? calc::ListElementsAtSite(in, listed, skipped, calc::ElementSiteSettingsOf(options))
                    : calc::ListElements(in, listed, skipped, options.inputs.instant);
            if (!file.Error().empty()) return Fail("--tle: cannot read " + name + ": " + file.Error(), 1);
            std::cerr << skipped.str();
            std::cout << listed.str();
            if (result.objects == 0) return Fail("--tle: no near-geostationary object in " + name, 1);
            return 0;
        }
        case CalcMode::Site: break;
    }
    InstallationInputs inputs = options.inputs;
    std::optional<NmeaFix> gpsFix;
    if (options.nmeaFile) {
        const std::string& path = *options.nmeaFile;
        calc::FileInput file(path, calc::FileInput::Source::FileOrPipe);
        const std::string name = InputName(path);
        if (!file.Error().empty()) return Fail("--nmea: cannot read " + name + ": " + file.Error(), 1);
        std::istream in(&file);
        const NmeaLog log = ReadNmeaLog(in);
        if (!file.Error().empty()) return Fail("--nmea: cannot read " + name + ": " + file.Error(), 1);
        for (const std::string& problem : log.problems) std::fprintf(stderr, "azimora-calc: --nmea: %s\n", problem.c_str());
        if (log.broken > log.problems.size())
            std::fprintf(stderr, "azimora-calc: --nmea: and %zu more broken lines\n", log.broken - log.problems.size());
        if (!log.lastFix)
            return Fail("--nmea: no valid fix in " + name + " (a GGA sentence with a fix quality above 0, or an RMC "
                        "with status A, and its checksum right)",
                        1);
        gpsFix = log.lastFix;
        inputs.latitude = gpsFix->latitude;
        inputs.longitudeWest = gpsFix->longitudeWest;
        if (gpsFix->ellipsoidHeightMetres) inputs.altitudeKm = *gpsFix->ellipsoidHeightMetres / 1000;
    }
    std::optional<calc::SiteZoneTime> siteZone;
    if (options.siteZone) {
        siteZone = calc::ZoneOfSite(inputs.latitude, inputs.longitudeWest);
        if (options.day) inputs.instant = siteZone->zone.Midnight(options.day->year, options.day->month, options.day->day);
    }
    const calc::ZoneTime zone = siteZone ? siteZone->zone : ZoneOf(options);
    ReportRequest request = calc::CalcRequest(inputs, zone);
    request.satelliteName = options.satelliteName;
    request.secondSatelliteLongitudeWest = options.secondSatellite;
    request.focalLengthMm = options.focalLengthMm;
    calc::CalcReport report = calc::ComputeSiteReport(request);
    report.gpsFix = gpsFix;
    report.siteZone = siteZone;
    std::string text;
    if (options.mapFormat != calc::CalcOptions::MapFormat::None)
        text = calc::MapReport(report, options.mapFormat == calc::CalcOptions::MapFormat::Kml, options.lineOfSightMetres);
    else
        text = options.json ? calc::JsonReport(report, zone) + "\n" : calc::PlainReport(report, zone);
    std::fputs(text.c_str(), stdout);
    return 0;
}

// Output that did not reach its file is no success: a full disk, a file-size
// limit, a closed pipe all show at the latest when the last buffer goes.
int CheckedOutput(int status) {
    errno = 0;
    std::cout.flush();  // through stdout's buffer, which may fail here already
    int error = errno;
    const bool flushed = std::fflush(stdout) == 0;
    if (error == 0) error = errno;
    if (flushed && !std::ferror(stdout) && std::cout.good()) return status;
    // The write that failed may lie further back, its errno long gone: a
    // pipe whose reader left still says so (with SIGPIPE ignored).
    if (error == 0) {
        pollfd output{STDOUT_FILENO, 0, 0};
        if (::poll(&output, 1, 0) == 1 && (output.revents & POLLERR) != 0) error = EPIPE;
    }
    return Fail(std::string("cannot write the output: ") + std::strerror(error != 0 ? error : EIO), 1);
}

}  // namespace

int main(int argc, char* argv[]) {
    // Past a file-size limit, a write fails and says so, rather than the
    // process vanishing.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const auto parsed = azimora::calc::ParseCalcArguments(args, Now());
    if (const auto* error = std::get_if<azimora::calc::ArgumentError>(&parsed)) return UsageError(error->message);
    try {
        return CheckedOutput(Run(std::get<azimora::calc::CalcOptions>(parsed)));
    } catch (const std::exception& error) {
        CheckedOutput(0);
        return Fail(error.what(), 1);
    }
}
