// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "catalogue/builtin_catalogues.h"
#include "errors.h"
#include "lists/list_file_io.h"
#include "lists/userlists.h"
#include "process_memory.h"

namespace {

// A program folder holding both user lists with the given number of lines.
class ListFolder {
public:
    explicit ListFolder(std::int64_t lines)
        : path_(std::filesystem::temp_directory_path() / ("azimora-bench-" + std::to_string(std::random_device()()))) {
        std::filesystem::create_directories(path_ / "data");
        std::ofstream locations(azimora::UserLocationFile(path_), std::ios::binary);
        std::ofstream satellites(azimora::UserSatelliteFile(path_), std::ios::binary);
        for (std::int64_t i = 0; i < lines; ++i) {
            locations << "Location number " << i << ",45." << i % 100 << ",73." << i % 1000 << "\r\n";
            satellites << "Satellite number " << i << "," << i % 360 << ".5\r\n";
        }
    }
    ~ListFolder() { std::filesystem::remove_all(path_); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Loading one list into a fresh built-in catalogue; building the catalogue
// is not timed.
template <auto BuildCatalogue, auto Load>
void LoadList(benchmark::State& state) {
    const ListFolder folder(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto catalogue = BuildCatalogue();
        state.ResumeTiming();
        Load(*catalogue, folder.Path());
        benchmark::DoNotOptimize(catalogue.get());
        state.PauseTiming();
        catalogue.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

void BM_LoadUserLocations(benchmark::State& state) {
    LoadList<azimora::BuiltInLocationCatalogue, azimora::LoadUserLocations>(state);
}
void BM_LoadUserSatellites(benchmark::State& state) {
    LoadList<azimora::BuiltInSatelliteCatalogue, azimora::LoadUserSatellites>(state);
}

BENCHMARK(BM_LoadUserLocations)->RangeMultiplier(4)->Range(1 << 12, 1 << 18)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_LoadUserSatellites)->RangeMultiplier(4)->Range(1 << 12, 1 << 18)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_LoadUserLocations)->Name("LoadUserLocations/100000 lines")->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadUserSatellites)->Name("LoadUserSatellites/100000 lines")->Arg(100000)->Unit(benchmark::kMillisecond);

// A locations list at the 1 GiB cap, of each shape a hostile or broken file
// may take: blank lines (each a fault, none a record), the shortest records
// (more than a list loads: the rest are counted, not kept) and records of
// nearly 64 KiB. Target: the peak of memory under 3 times the file.
void BM_PeakMemoryOfAListAtTheCap(benchmark::State& state) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("azimora-bench-cap-" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(folder / "data");
    {
        std::ofstream list(azimora::UserLocationFile(folder), std::ios::binary);
        std::string block;
        const std::string longName(60000, 'n');
        while (block.size() < (1u << 20)) {
            switch (state.range(0)) {
                case 0: block += "\r\n"; break;
                case 1: block += "A,1,2\r\n"; break;
                default: block += longName + ",45.5,73.5\r\n"; break;
            }
        }
        for (std::size_t written = 0; written + block.size() <= static_cast<std::size_t>(azimora::kMaxListFileBytes);
             written += block.size())
            list << block;
    }
    const double size = static_cast<double>(std::filesystem::file_size(azimora::UserLocationFile(folder))) / (1 << 20);
    double peak = 0;
    for (auto _ : state) {
        auto catalogue = azimora::BuiltInLocationCatalogue();
        azimora::bench::ResetPeakMemory();
        const double before = azimora::bench::StatusMegabytes("VmRSS");
        try {
            azimora::LoadUserLocations(*catalogue, folder);
        } catch (const azimora::Error&) {
            // the first fault of the file, as the window shows it
        }
        peak = azimora::bench::StatusMegabytes("VmHWM") - before;
    }
    std::filesystem::remove_all(folder);
    state.counters["file_MB"] = size;
    state.counters["peak_MB"] = peak;
    state.counters["limit_MB"] = 3 * size;
    state.SetLabel(state.range(0) == 0 ? "blank lines" : state.range(0) == 1 ? "shortest records" : "long records");
}
BENCHMARK(BM_PeakMemoryOfAListAtTheCap)->DenseRange(0, 2)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
