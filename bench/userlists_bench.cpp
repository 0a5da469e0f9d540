// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "catalogue/builtin_catalogues.h"
#include "lists/userlists.h"

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

}  // namespace
