// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>

#include "catalogue/builtin_catalogues.h"

namespace {

void BM_BuildBuiltInCatalogues(benchmark::State& state) {
    for (auto _ : state) {
        auto satellites = azimora::BuiltInSatelliteCatalogue();
        auto locations = azimora::BuiltInLocationCatalogue();
        benchmark::DoNotOptimize(satellites.get());
        benchmark::DoNotOptimize(locations.get());
    }
}
BENCHMARK(BM_BuildBuiltInCatalogues)->Unit(benchmark::kMicrosecond);

void BM_FindUserDefined(benchmark::State& state) {
    const auto locations = azimora::BuiltInLocationCatalogue();
    for (auto _ : state) benchmark::DoNotOptimize(locations->FindNode("USER DEFINED"));
}
BENCHMARK(BM_FindUserDefined);

}  // namespace
