// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// A satellite's daily motion: for one satellite (kept, 1 degree and 6
// degrees inclined), and for an element file of 1,000 geostationary
// objects in azimora-calc at one site (target: under a second for the
// file), with the peak of memory.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>

#include "element_motion.h"
#include "formats/geostationary_objects.h"
#include "formats/two_line_elements.h"
#include "motion/daily_motion.h"
#include "process_memory.h"

namespace {

constexpr azimora::UnixSeconds kDay = 1775952000;  // 2026-04-12 00:00 UTC, two days after the sets' epoch

std::string Checked(std::string line) {
    line.resize(68, ' ');
    return line + std::to_string(azimora::TleChecksum(line));
}

// A set of 2026-04-10 (day 100) over a longitude; inclinations as the belt
// has them: most kept, some inclined a degree or so, a few far more.
std::string ElementSet(int number, double inclination, double eastLongitude) {
    char line1[80], line2[80];
    std::snprintf(line1, sizeof line1, "1 %05dU 26001A   26100.00000000  .00000000  00000-0  00000-0 0  999", number);
    // Near-circular: node + perigee + anomaly less sidereal time (198.24 degrees at the epoch) is the longitude.
    const double anomaly = std::fmod(eastLongitude + 198.24 - 80 - 270 + 720, 360);
    std::snprintf(line2, sizeof line2, "2 %05d %8.4f  80.0000 0002000 270.0000 %8.4f  1.00273000    1", number, inclination,
                  anomaly);
    return "OBJECT " + std::to_string(number) + "\n" + Checked(line1) + "\n" + Checked(line2) + "\n";
}

double BeltInclination(int i) {
    if (i % 10 < 7) return 0.01 * (i % 10);  // kept
    if (i % 10 < 9) return 0.5 + 0.25 * (i % 11);
    return 3 + (i % 13);
}

void DailyMotionOfOneSatellite(benchmark::State& state) {
    const double inclination = static_cast<double>(state.range(0)) / 100;
    const std::string set = ElementSet(90000, inclination, 19.2);
    std::istringstream lines(set);
    std::string name, line1, line2, problem;
    std::getline(lines, name), std::getline(lines, line1), std::getline(lines, line2);
    azimora::DailyMotionInputs inputs;
    inputs.elements = azimora::MeanElementsOf(*azimora::ParseElementLines(name, line1, line2, problem));
    inputs.latitude = 48.21;
    inputs.longitudeWest = -16.37;
    inputs.dayStart = kDay;
    for (auto _ : state) benchmark::DoNotOptimize(azimora::ComputeDailyMotion(inputs));
}
BENCHMARK(DailyMotionOfOneSatellite)->Arg(5)->Arg(105)->Arg(620)->Unit(benchmark::kMicrosecond);

void CalcFileOf1000AtASite(benchmark::State& state) {
    std::string file;
    for (int i = 0; i < 1000; ++i) file += ElementSet(80000 + i, BeltInclination(i), -180 + 0.36 * i);
    azimora::calc::ElementSiteSettings settings;
    settings.latitude = 48.21;
    settings.longitudeWest = -16.37;
    settings.dishDiameterMetres = 0.6;
    settings.frequencyGHz = 11.7;
    settings.dayStart = kDay;
    settings.output = azimora::calc::ElementSiteSettings::Output::Json;
    azimora::bench::ResetPeakMemory();
    std::size_t objects = 0;
    for (auto _ : state) {
        std::istringstream in(file);
        std::ostringstream out, errors;
        objects = azimora::calc::ListElementsAtSite(in, out, errors, settings).objects;
        benchmark::DoNotOptimize(out.str());
    }
    state.counters["objects"] = static_cast<double>(objects);
    state.counters["peak_MB"] = azimora::bench::StatusMegabytes("VmHWM");
}
BENCHMARK(CalcFileOf1000AtASite)->Unit(benchmark::kMillisecond);

}  // namespace
