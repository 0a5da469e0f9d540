// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>

#include "catalogue/builtin_catalogues.h"
#include "controller/controller.h"
#include "silent_dialogs.h"

namespace {

// One keystroke in the latitude box: the key filter, the new text, the
// conversion of three coordinates, the calculation and both result texts.
void BM_KeystrokeToResults(benchmark::State& state) {
    auto satellites = azimora::BuiltInSatelliteCatalogue();
    auto locations = azimora::BuiltInLocationCatalogue();
    SilentDialogs dialogs;
    azimora::PointingController controller(*satellites, *locations, "/nonexistent", dialogs);
    controller.tvwSatChange(*satellites->FindNode("Anik E2 - Star Choice (Canada)"));
    controller.tvwLocChange(*locations->FindNode("Calgary"));
    const std::string base = "51.0";
    char digit = '0';
    for (auto _ : state) {
        char32_t key = static_cast<char32_t>(digit);
        controller.edtNLatKeyPress(azimora::CoordinateBox::NLat, key);
        controller.SetValue(azimora::DisplayField::NLat, base + static_cast<char>(key));
        benchmark::DoNotOptimize(controller.Values().Azimuth.data());
        digit = digit == '9' ? '0' : static_cast<char>(digit + 1);
    }
}
BENCHMARK(BM_KeystrokeToResults);

}  // namespace
