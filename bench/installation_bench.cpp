// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The installer's numbers: everything for one site, a year's sun outages,
// and azimora-calc --batch over many rows.
#include <benchmark/benchmark.h>

#include <sstream>

#include "batch.h"
#include "formats/dvb_scan_tables.h"
#include "installation.h"

namespace {

azimora::InstallationInputs Calgary() {
    azimora::InstallationInputs inputs;
    inputs.latitude = 51.08;
    inputs.longitudeWest = 114.08;
    inputs.satelliteLongitudeWest = 107.3;
    inputs.instant = azimora::StartOfDay({2026, 12, 7});
    return inputs;
}

// Pointing, compass bearing, skew, motor, tilt, the day's sun alignments.
void BM_AllNumbersForOneSite(benchmark::State& state) {
    const auto inputs = Calgary();
    for (auto _ : state) benchmark::DoNotOptimize(azimora::ComputeInstallation(inputs));
}
BENCHMARK(BM_AllNumbersForOneSite)->Unit(benchmark::kMicrosecond);

void BM_SunOutagesOfAYear(benchmark::State& state) {
    const auto inputs = Calgary();
    for (auto _ : state) benchmark::DoNotOptimize(azimora::OutagesOfTheYear(inputs));
}
BENCHMARK(BM_SunOutagesOfAYear)->Unit(benchmark::kMillisecond);

void BM_BatchRows(benchmark::State& state) {
    std::string csv = "name,lat,lon,sat_lon\n";
    for (std::int64_t i = 0; i < state.range(0); ++i)
        csv += "Site " + std::to_string(i) + "," + std::to_string(-60 + i % 120) + "." + std::to_string(i % 97) + "," +
               std::to_string(i % 360) + ".25," + std::to_string((i * 7) % 360) + ".5\n";
    for (auto _ : state) {
        std::istringstream in(csv);
        std::ostringstream out;
        azimora::calc::BatchSettings settings;
        settings.defaults.instant = azimora::StartOfDay({2026, 12, 7});
        benchmark::DoNotOptimize(azimora::calc::RunBatch(in, out, settings));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_BatchRows)->RangeMultiplier(4)->Range(1 << 10, 1 << 16)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_BatchRows)->Name("BatchRows/100000 rows")->Arg(100000)->Unit(benchmark::kMillisecond);

// Tools > Import Satellites: all of Debian's DVB scan tables.
void BM_ReadAllScanTables(benchmark::State& state) {
    if (!std::filesystem::is_directory(azimora::kDvbScanTablesFolder)) {
        state.SkipWithError("dtv-scan-tables is not installed");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(azimora::ReadScanTables());
}
BENCHMARK(BM_ReadAllScanTables)->Unit(benchmark::kMillisecond);

}  // namespace
