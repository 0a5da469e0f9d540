// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Import Satellites at catalogue size: a 100 MB element file opened, and
// 100,000 ticked satellites added to the list.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "formats/two_line_elements.h"
#include "main_window/main_window.h"
#include "outside_data/import_satellites_dialog.h"
#include "process_memory.h"
#include "silent_dialogs.h"

namespace {

using azimora::bench::ResetPeakMemory;
using azimora::bench::StatusMegabytes;

std::string WithChecksum(std::string line) {
    line.resize(68, ' ');
    return line + std::to_string(azimora::TleChecksum(line));
}

// A made-up element file of near-geostationary sets (two lines each, as
// catalogue files come), at least bytes long; its number of sets.
std::filesystem::path ElementFile(std::size_t bytes, int& sets) {
    const auto file = std::filesystem::temp_directory_path() / ("azimora-bench-" + std::to_string(bytes) + ".tle");
    std::mt19937 random(11);
    std::uniform_real_distribution<double> unit(0, 1);
    std::ofstream out(file, std::ios::binary);
    std::size_t written = 0;
    sets = 0;
    while (written < bytes) {
        char line1[80], line2[80];
        std::snprintf(line1, sizeof line1, "1 %05dU 20001A   26%012.8f  .00000000  00000-0  00000-0 0  999", sets % 100000,
                      335 + unit(random) * 5);
        std::snprintf(line2, sizeof line2, "2 %05d %8.4f %8.4f %07d %8.4f %8.4f %11.8f    1", sets % 100000,
                      unit(random) * 2, unit(random) * 360, static_cast<int>(unit(random) * 4000), unit(random) * 360,
                      unit(random) * 360, 1.0027 + unit(random) * 0.001);
        const std::string set = WithChecksum(line1) + "\n" + WithChecksum(line2) + "\n";
        out << set;
        written += set.size();
        ++sets;
    }
    return file;
}

void WaitUntilIdle(const azimora::shell::ImportSatellitesDialog& dialog) {
    while (dialog.busy()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
}

// A 100 MB file (about 750,000 objects): read on other threads, placed by
// SGP4, shown; the window answers meanwhile. Memory: the peak while it is
// read and shown, and what the process still holds once the dialog closed.
void BM_OpenLargeElementFile(benchmark::State& state) {
    int sets = 0;
    const auto file = ElementFile(100u << 20, sets);
    const auto folder = std::filesystem::temp_directory_path() / "azimora-bench-import";
    SilentDialogs dialogs;
    azimora::shell::TfrmKorvel window(dialogs, folder);
    double peak = 0, held = 0, rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QCoreApplication::processEvents();
        const double before = StatusMegabytes("VmRSS");
        ResetPeakMemory();
        auto* dialog = new azimora::shell::ImportSatellitesDialog(window, QStringLiteral("/nonexistent"));
        state.ResumeTiming();
        dialog->openElementSets(QString::fromStdString(file.string()));
        WaitUntilIdle(*dialog);
        state.PauseTiming();
        rows = static_cast<double>(dialog->candidates().totalRows());
        peak = StatusMegabytes("VmHWM") - before;
        delete dialog;
        QCoreApplication::processEvents();
        held = StatusMegabytes("VmRSS") - before;
        state.ResumeTiming();
    }
    std::filesystem::remove(file);
    state.counters["objects"] = rows;
    state.counters["peak_MB"] = peak;
    state.counters["held_after_close_MB"] = held;
}
BENCHMARK(BM_OpenLargeElementFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

// 100,000 ticked satellites added: one save of them all, the listing at once.
void BM_ImportHundredThousandSatellites(benchmark::State& state) {
    int sets = 0;
    const auto file = ElementFile(14u << 20, sets);
    SilentDialogs dialogs;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const auto folder = std::filesystem::temp_directory_path() / ("azimora-bench-import-" + std::to_string(round++));
        std::filesystem::remove_all(folder);
        auto window = std::make_unique<azimora::shell::TfrmKorvel>(dialogs, folder);
        auto* dialog = new azimora::shell::ImportSatellitesDialog(*window, QStringLiteral("/nonexistent"));
        dialog->openElementSets(QString::fromStdString(file.string()));
        WaitUntilIdle(*dialog);
        dialog->tickAll(true);
        state.counters["ticked"] = static_cast<double>(dialog->candidates().tickedRows().size());
        state.ResumeTiming();
        dialog->addTicked();
        WaitUntilIdle(*dialog);
        state.PauseTiming();
        window.reset();
        std::filesystem::remove_all(folder);
        state.ResumeTiming();
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_ImportHundredThousandSatellites)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
