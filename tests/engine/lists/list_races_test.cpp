// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Savers that overtake one another: several windows, or several programs,
// saving at the same moment.
#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <string>
#include <thread>
#include <vector>

#include "catalogue/builtin_catalogues.h"
#include "lists/userlists.h"
#include "temp_folder.h"

namespace azimora {
namespace {

using azimora::testing::TempFolder;

// Runs save(i) on this many threads at once, all released together.
template <typename Save>
std::vector<std::string> SaveAllAtOnce(int savers, Save save) {
    std::latch start(savers);
    std::vector<std::string> failures(static_cast<std::size_t>(savers));
    std::vector<std::thread> threads;
    for (int i = 0; i < savers; ++i) {
        threads.emplace_back([&, i] {
            start.arrive_and_wait();
            try {
                save(i);
            } catch (const std::exception& error) {
                failures[static_cast<std::size_t>(i)] = error.what();
            }
        });
    }
    for (auto& thread : threads) thread.join();
    return failures;
}

// The data folder does not exist yet: every saver finds it missing, one
// makes it, and the others must take the folder they find as made.
TEST(ListRaces, FirstSavesAtOnceAllLand) {
    constexpr int kRounds = 300;
    constexpr int kSavers = 6;
    for (int round = 0; round < kRounds; ++round) {
        const TempFolder folder;
        const auto failures = SaveAllAtOnce(kSavers, [&](int i) {
            SaveUserSatellite(folder.Path(), "Bird " + std::to_string(i), std::to_string(i));
        });
        for (int i = 0; i < kSavers; ++i)
            ASSERT_EQ(failures[static_cast<std::size_t>(i)], "") << "round " << round << ", saver " << i;
        const auto satellites = BuiltInSatelliteCatalogue();
        LoadUserSatellites(*satellites, folder.Path());
        ASSERT_EQ(satellites->RootCount(), 101u + kSavers) << "round " << round;
    }
}

}  // namespace
}  // namespace azimora
