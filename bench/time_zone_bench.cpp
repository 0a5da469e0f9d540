// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// A site's time zone from the zones' boundaries (target: a lookup under
// 50 us), and what reading the boundaries' file costs once.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "sky/time_zone_boundaries.h"

namespace {

const azimora::TimeZoneBoundaries& Boundaries() {
    static const azimora::TimeZoneBoundaries boundaries =
        azimora::TimeZoneBoundaries::Read(azimora::TimeZoneBoundariesFile());
    return boundaries;
}

// Places spread evenly over the globe, land and sea, the same every run.
void BM_ZoneAtRandomPlaces(benchmark::State& state) {
    std::mt19937 random(20261207);
    std::uniform_real_distribution<double> height(-1, 1);
    std::uniform_real_distribution<double> around(-180, 180);
    std::vector<std::pair<double, double>> places;
    for (int i = 0; i < 4096; ++i) places.emplace_back(std::asin(height(random)) * 57.29577951308232, around(random));
    (void)Boundaries();
    std::size_t next = 0;
    for (auto _ : state) {
        const auto& [latitude, longitude] = places[next++ % places.size()];
        benchmark::DoNotOptimize(Boundaries().ZoneAt(latitude, longitude));
    }
}
BENCHMARK(BM_ZoneAtRandomPlaces)->Unit(benchmark::kMicrosecond);

// The slowest place: the cell whose boundaries are the longest of all, on
// the winding border of Germany, Austria and Czechia in the Bohemian Forest.
void BM_ZoneAtTheLongestBorderCell(benchmark::State& state) {
    (void)Boundaries();
    for (auto _ : state) benchmark::DoNotOptimize(Boundaries().ZoneAt(48.69, 13.71));
}
BENCHMARK(BM_ZoneAtTheLongestBorderCell)->Unit(benchmark::kMicrosecond);

void BM_ReadTheBoundaries(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(azimora::TimeZoneBoundaries::Read(azimora::TimeZoneBoundariesFile()));
}
BENCHMARK(BM_ReadTheBoundaries)->Unit(benchmark::kMillisecond);

}  // namespace
