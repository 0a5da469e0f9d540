// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>

#include "geometry/pointing.h"

namespace {

// One pointing with both display texts, as every coordinate change needs.
void BM_PointingWithTexts(benchmark::State& state) {
    azimora::PointingInputs inputs{51.08L, 114.08L, 107.3L, 0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(inputs);
        const azimora::PointingResult result = azimora::CalculatePointing(inputs);
        std::string azimuth = azimora::AzimuthText(result);
        std::string elevation = azimora::ElevationText(result);
        benchmark::DoNotOptimize(azimuth);
        benchmark::DoNotOptimize(elevation);
        inputs.SatLongitude += 0.001L;
    }
}
BENCHMARK(BM_PointingWithTexts);

}  // namespace
