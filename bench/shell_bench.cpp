// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTreeView>

#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "main_window.h"
#include "silent_dialogs.h"
#include "userlists.h"

namespace {

// Waits until both listings have been painted once.
class FirstPaint final : public QObject {
public:
    explicit FirstPaint(const azimora::shell::TfrmKorvel& window) {
        for (const char* name : {"tvwSat", "tvwLoc"}) {
            auto* view = window.findChild<QTreeView*>(QString::fromLatin1(name));
            view->viewport()->installEventFilter(this);
            ++pending_;
        }
    }
    void Wait() const {
        while (pending_ > 0) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted_.contains(watched)) {
            painted_ << watched;
            --pending_;
        }
        return false;
    }

private:
    int pending_ = 0;
    QSet<QObject*> painted_;
};

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void ShowAndPaint(const std::filesystem::path& folder) {
    SilentDialogs dialogs;
    azimora::shell::TfrmKorvel window(dialogs, folder);
    FirstPaint painted(window);
    window.show();
    painted.Wait();
}

// Creating the main window with the built-in catalogues, to its first paint.
void BM_MainWindowToFirstPaint(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / "azimora-bench-empty";
    for (auto _ : state) ShowAndPaint(folder);
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_MainWindowToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

// FormShow merging 100,000 user locations and 100,000 user satellites, until
// the window has painted both listings and takes input again.
void BM_FormShowWithHugeUserLists(benchmark::State& state) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("azimora-bench-" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(folder / "data");
    {
        std::ofstream locations(azimora::UserLocationFile(folder), std::ios::binary);
        std::ofstream satellites(azimora::UserSatelliteFile(folder), std::ios::binary);
        for (int i = 0; i < 100000; ++i) {
            locations << "Location number " << i << ",45." << i % 100 << ",73." << i % 1000 << "\r\n";
            satellites << "Satellite number " << i << "," << i % 360 << ".5\r\n";
        }
    }
    for (auto _ : state) ShowAndPaint(folder);
    std::filesystem::remove_all(folder);
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_FormShowWithHugeUserLists)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
