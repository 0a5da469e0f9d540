// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The installer's numbers: everything for one site, a year's sun outages,
// and azimora-calc --batch over many rows.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <istream>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "batch.h"
#include "formats/dvb_scan_tables.h"
#include "installation.h"
#include "process_memory.h"

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

// Targets: a year's outages under 100 us; the next one from a date under 10 us.
void BM_SunOutagesOfAYear(benchmark::State& state) {
    const auto inputs = Calgary();
    const auto site = azimora::DishSiteOf(inputs);
    const double threshold = azimora::OutageThreshold(inputs.dishDiameterMetres, inputs.frequencyGHz);
    for (auto _ : state)
        benchmark::DoNotOptimize(azimora::SunOutages(site, threshold, azimora::StartOfDay({2026, 1, 1}),
                                                     azimora::StartOfDay({2027, 1, 1})));
}
BENCHMARK(BM_SunOutagesOfAYear)->Unit(benchmark::kMicrosecond);

// From early December the next outages are February's: the search passes
// over two months.
void BM_NextSunOutage(benchmark::State& state) {
    const auto inputs = Calgary();
    const auto site = azimora::DishSiteOf(inputs);
    const double threshold = azimora::OutageThreshold(inputs.dishDiameterMetres, inputs.frequencyGHz);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            azimora::NextSunOutage(site, threshold, inputs.instant, inputs.instant + 366 * azimora::kSecondsPerDay));
}
BENCHMARK(BM_NextSunOutage)->Unit(benchmark::kMicrosecond);

// The batch's rows, made as they are read, and its output counted and let
// go: what the batch itself holds is what the peak of memory shows.
class GeneratedSites final : public std::streambuf {
public:
    explicit GeneratedSites(std::int64_t rows) : rows_(rows) { line_ = "name,lat,lon,sat_lon\n"; Point(); }

protected:
    int_type underflow() override {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        if (next_ >= rows_) return traits_type::eof();
        const std::int64_t i = next_++;
        line_ = "Site " + std::to_string(i) + "," + std::to_string(-60 + i % 120) + "." + std::to_string(i % 97) + "," +
                std::to_string(i % 360) + ".25," + std::to_string((i * 7) % 360) + ".5\n";
        Point();
        return traits_type::to_int_type(*gptr());
    }

private:
    void Point() { setg(line_.data(), line_.data(), line_.data() + line_.size()); }
    std::int64_t rows_;
    std::int64_t next_ = 0;
    std::string line_;
};

class CountingSink final : public std::streambuf {
public:
    std::size_t bytes = 0;

protected:
    int_type overflow(int_type c) override {
        ++bytes;
        return c;
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        bytes += static_cast<std::size_t>(n);
        return n;
    }
};

void BatchOf(benchmark::State& state, std::int64_t rows) {
    azimora::bench::ResetPeakMemory();
    const double before = azimora::bench::StatusMegabytes("VmRSS");
    for (auto _ : state) {
        GeneratedSites sites(rows);
        std::istream in(&sites);
        CountingSink sink;
        std::ostream out(&sink);
        azimora::calc::BatchSettings settings;
        settings.defaults.instant = azimora::StartOfDay({2026, 12, 7});
        benchmark::DoNotOptimize(azimora::calc::RunBatch(in, out, settings));
    }
    state.counters["peak_MB_over_start"] = azimora::bench::StatusMegabytes("VmHWM") - before;
    state.SetComplexityN(rows);
}

// Every row with its pointing, compass, skew, motor, sun alignments and
// next sun outage. Target: 100,000 rows under 2 s; memory flat in the rows.
void BM_BatchRows(benchmark::State& state) { BatchOf(state, state.range(0)); }
BENCHMARK(BM_BatchRows)->RangeMultiplier(4)->Range(1 << 10, 1 << 16)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void BM_BatchHundredThousandRows(benchmark::State& state) { BatchOf(state, 100000); }
BENCHMARK(BM_BatchHundredThousandRows)->Unit(benchmark::kMillisecond);

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
