// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The web page's engine call, natively: the figures of one site and
// satellite with the next sun outage, for the queries that
// bench/web/figures_bench.mjs times in WebAssembly, to give the ratio.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

extern "C" const char* azimora_figures(const char* query);

namespace {

const std::vector<std::string>& Queries() {
    static const std::vector<std::string> queries = [] {
        std::vector<std::string> lines;
        std::ifstream file(AZIMORA_WEB_BENCH_QUERIES);
        for (std::string line; std::getline(file, line);)
            if (!line.empty()) lines.push_back(line);
        return lines;
    }();
    return queries;
}

void BM_WebFiguresNative(benchmark::State& state) {
    const auto& queries = Queries();
    if (queries.empty()) {
        state.SkipWithError("no queries in " AZIMORA_WEB_BENCH_QUERIES);
        return;
    }
    std::size_t next = 0;
    for (auto _ : state) benchmark::DoNotOptimize(azimora_figures(queries[next++ % queries.size()].c_str()));
}
BENCHMARK(BM_WebFiguresNative)->Unit(benchmark::kMicrosecond);

}  // namespace
