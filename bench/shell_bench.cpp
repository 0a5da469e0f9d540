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

#include <QLineEdit>
#include <QTest>

#include <QFile>

#include "assistant/installation_details_window.h"
#include "assistant/sky_chart_window.h"
#include "formats/place_search.h"
#include "gweather_locations.h"
#include "lists/userlists.h"
#include "main_window/main_window.h"
#include "text/search_folding.h"
#include "silent_dialogs.h"
#include "sky_chart/sky_chart_widget.h"
#include "tools_menu.h"

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

// A program folder whose satellite list holds this many satellites along the arc.
std::filesystem::path FolderWithUserSatellites(int count) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("azimora-bench-" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(folder / "data");
    std::ofstream satellites(azimora::UserSatelliteFile(folder), std::ios::binary);
    for (int i = 0; i < count; ++i) satellites << "Satellite number " << i << "," << (i % 3600) / 10.0 << "\r\n";
    return folder;
}

// The main window over 10,000 user satellites, Calgary and Anik E2 chosen.
struct AssistantBench {
    AssistantBench() : window(dialogs, folder) {
        azimora::shell::ToolsMenu::AddTo(window);
        window.show();
        window.controller().tvwLocChange(*window.locations().FindNode("Calgary"));
        window.controller().tvwSatChange(*window.satellites().FindNode("Anik E2 - Star Choice (Canada)"));
    }
    ~AssistantBench() { std::filesystem::remove_all(folder); }
    AssistantBench(const AssistantBench&) = delete;
    AssistantBench& operator=(const AssistantBench&) = delete;

    // In this order: the window refers to both.
    const std::filesystem::path folder = FolderWithUserSatellites(10000);
    SilentDialogs dialogs;
    azimora::shell::TfrmKorvel window;
};

// Installation Details shows its final figures for the latitude typed: no
// outage search still running.
bool FiguresSettled(const azimora::shell::InstallationDetailsWindow& details, double latitude) {
    const auto& report = details.report();
    return report.site && report.site->latitude == latitude && !report.pendingOutages;
}

// The Sky Chart of a site with 10,000 user satellites, repainted (900 x 700 window).
void BM_SkyChartRepaintWith10000UserSatellites(benchmark::State& state) {
    AssistantBench bench;
    auto& sky = azimora::shell::ToolsMenu::Of(bench.window).openSkyChart();
    sky.resize(900, 700);
    QCoreApplication::processEvents();
    auto& chart = sky.chartWidget();
    state.counters["satellites_drawn"] = static_cast<double>(sky.chart().satellites.size());
    for (auto _ : state) chart.repaint();
}
BENCHMARK(BM_SkyChartRepaintWith10000UserSatellites)->Unit(benchmark::kMillisecond)->UseRealTime();

// A digit typed into the latitude box, until Installation Details and the
// Sky Chart (10,000 user satellites) show the new figures.
void BM_KeystrokeToInstallationDetails(benchmark::State& state) {
    AssistantBench bench;
    auto& window = bench.window;
    azimora::shell::ToolsMenu::Of(window).openDetails();
    azimora::shell::ToolsMenu::Of(window).openSkyChart();
    QCoreApplication::processEvents();
    auto* latitude = window.findChild<QLineEdit*>(QStringLiteral("edtNLat"));
    latitude->setFocus();
    int i = 0;
    for (auto _ : state) {
        latitude->setText(QStringLiteral("51.0"));
        latitude->end(false);
        QTest::keyClick(latitude, static_cast<char>('0' + i++ % 10));  // the window's own key route
        QCoreApplication::processEvents();  // the assistant's windows look again, and paint
    }
}
BENCHMARK(BM_KeystrokeToInstallationDetails)->Unit(benchmark::kMillisecond)->UseRealTime();

// A digit typed into the latitude box with Installation Details alone open,
// until it shows the new figures, the coming sun outages among them: the
// report built for one change. Each change is a site not seen before, so
// that nothing kept from an earlier one answers. CPU time of every thread:
// the window may do part of the work on another.
void BM_KeystrokeWithInstallationDetailsOpen(benchmark::State& state) {
    AssistantBench bench;
    auto& window = bench.window;
    const auto& details = azimora::shell::ToolsMenu::Of(window).openDetails();
    QCoreApplication::processEvents();
    auto* latitude = window.findChild<QLineEdit*>(QStringLiteral("edtNLat"));
    latitude->setFocus();
    int i = 0;
    for (auto _ : state) {
        latitude->setText(QStringLiteral("51.%1").arg(i / 10 % 1000, 3, 10, QLatin1Char('0')));
        latitude->end(false);
        QTest::keyClick(latitude, static_cast<char>('0' + i++ % 10));
        const double typed = latitude->text().toDouble();
        do QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        while (!FiguresSettled(details, typed));
    }
}
BENCHMARK(BM_KeystrokeWithInstallationDetailsOpen)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// Tools > Find Location: the world's towns from libgweather, then the search
// of one keystroke.
void BM_LoadTheWorldsTowns(benchmark::State& state) {
    if (!QFile::exists(azimora::sources::kGWeatherLocations)) {
        state.SkipWithError("libgweather-4-common is not installed");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(azimora::sources::ReadGWeatherCities());
}
BENCHMARK(BM_LoadTheWorldsTowns)->Unit(benchmark::kMillisecond);

void BM_SearchTheTownsPerKeystroke(benchmark::State& state) {
    if (!QFile::exists(azimora::sources::kGWeatherLocations)) {
        state.SkipWithError("libgweather-4-common is not installed");
        return;
    }
    const azimora::PlaceIndex index(azimora::sources::ReadGWeatherCities());
    const QStringList typed = {"s", "sa", "san", "san ", "san f", "san fr", "sao p", "calg", "z\u00FCr", "new y"};
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(index.Search(azimora::FoldForSearch(typed[i++ % typed.size()].toStdString()), 60));
}
BENCHMARK(BM_SearchTheTownsPerKeystroke)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
