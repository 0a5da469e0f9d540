// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Start-up on a real X server: the time from starting Azimora to its main
// window on the screen, less the 3,000 ms splash wait, against the time a
// bare Qt window of the same widgets takes, in one run; the ratio is what
// counts. Watches the X server itself for the windows being mapped.
// Run on a private X server: tests/desktop/with-x-server.sh build/dev/bench/startup_bench
#include <benchmark/benchmark.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

std::string TitleOf(xcb_connection_t* x, xcb_window_t window) {
    const auto atom = [&](const char* name) {
        xcb_intern_atom_reply_t* reply =
            xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_atom_t value = reply != nullptr ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
        std::free(reply);
        return value;
    };
    static const xcb_atom_t netName = atom("_NET_WM_NAME");
    for (const xcb_atom_t property : {netName, static_cast<xcb_atom_t>(XCB_ATOM_WM_NAME)}) {
        xcb_get_property_reply_t* reply =
            xcb_get_property_reply(x, xcb_get_property(x, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr);
        std::string title;
        if (reply != nullptr && xcb_get_property_value_length(reply) > 0)
            title.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                         static_cast<std::size_t>(xcb_get_property_value_length(reply)));
        std::free(reply);
        if (!title.empty()) return title;
    }
    return {};
}

// The title of a mapped window, or of the client a window manager framed in it.
std::string MappedTitle(xcb_connection_t* x, xcb_window_t window) {
    std::string title = TitleOf(x, window);
    if (!title.empty()) return title;
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(x, xcb_query_tree(x, window), nullptr);
    if (tree == nullptr) return {};
    const xcb_window_t* children = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree) && title.empty(); ++i) title = MappedTitle(x, children[i]);
    std::free(tree);
    return title;
}

// Milliseconds from starting program to the first window of that title on
// the screen; nullopt when it did not come within the time allowed.
std::optional<double> TimeToWindow(const std::string& program, const std::string& title) {
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x) != 0) return std::nullopt;
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    const auto start = Clock::now();
    pid_t child = 0;
    char* arguments[] = {const_cast<char*>(program.c_str()), nullptr};
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, arguments, environ) != 0) return std::nullopt;
    std::optional<double> elapsed;
    while (!elapsed && Clock::now() - start < std::chrono::seconds(30)) {
        xcb_generic_event_t* event = xcb_wait_for_event(x);
        if (event == nullptr) break;
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (MappedTitle(x, map->window) == title)
                elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        }
        std::free(event);
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(x);
    return elapsed;
}

std::string Beside(const char* name) {
    return (std::filesystem::path(AZIMORA_BENCH_FOLDER) / name).string();
}

void BM_StartupAgainstABareWindow(benchmark::State& state) {
    if (std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("needs an X server: tests/desktop/with-x-server.sh startup_bench");
        return;
    }
    double azimora = 0, bare = 0;
    int runs = 0;
    for (auto _ : state) {
        const auto bareTime = TimeToWindow(Beside("bare_window"), "Bare window");
        const auto azimoraTime = TimeToWindow(AZIMORA_EXECUTABLE, "Azimora 2.0");
        if (!bareTime || !azimoraTime) {
            state.SkipWithError("a window did not appear");
            return;
        }
        bare += *bareTime;
        azimora += *azimoraTime - 3000;  // the splash wait, the same by design
        ++runs;
        state.SetIterationTime((*bareTime + *azimoraTime) / 1000);
    }
    state.counters["azimora_ms_beyond_splash"] = azimora / runs;
    state.counters["bare_window_ms"] = bare / runs;
    state.counters["ratio"] = azimora / bare;
}
BENCHMARK(BM_StartupAgainstABareWindow)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
