// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// On the roof: the line of sight written for map programs (targets: 1 ms
// for both files), the second satellite's figures (20 us), and a GPS log
// read for its last fix.
#include <benchmark/benchmark.h>

#include <sstream>

#include "formats/line_of_sight.h"
#include "formats/nmea.h"
#include "geometry/two_satellite_dish.h"

namespace {

azimora::LineOfSight Calgary(double lengthMetres) {
    azimora::LineOfSight line;
    line.siteName = "Calgary (Alberta)";
    line.satelliteName = "Anik F1R";
    line.latitude = 51.08;
    line.longitudeWest = 114.08;
    line.azimuth = 171.306422331434;
    line.elevation = 31.1920790500568;
    line.lengthMetres = lengthMetres;
    line.figures = {{"True azimuth", "171.31 deg"}, {"Elevation", "31.19 deg"}, {"Compass bearing", "158.02 deg"}};
    return line;
}

// Both files of Export Line of Sight, at the default 1 km and at the longest.
void BM_ExportLineOfSight(benchmark::State& state) {
    const auto line = Calgary(static_cast<double>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(azimora::LineOfSightKml(line));
        benchmark::DoNotOptimize(azimora::LineOfSightGeoJson(line));
    }
}
BENCHMARK(BM_ExportLineOfSight)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Zurich: Astra 19.2 E with Astra 23.5 E on an 80 cm dish.
void BM_SecondSatelliteFigures(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(azimora::ComputeTwoSatelliteDish(47.37, -8.54, -19.2, -23.5, 0.8, 480));
}
BENCHMARK(BM_SecondSatelliteFigures)->Unit(benchmark::kMicrosecond);

// An hour of a receiver's log at one fix a second: GGA, RMC and GSV lines.
void BM_LastFixOfAnHourLog(benchmark::State& state) {
    std::string log;
    for (int second = 0; second < 3600; ++second) {
        log += "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
        log += "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n";
        log += "$GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00*74\r\n";
    }
    for (auto _ : state) {
        std::istringstream in(log);
        benchmark::DoNotOptimize(azimora::ReadNmeaLog(in));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(log.size()));
}
BENCHMARK(BM_LastFixOfAnHourLog)->Unit(benchmark::kMillisecond);

}  // namespace
