// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The words an installer reads for each verdict, with the times the front
// gives.
#include <gtest/gtest.h>

#include "motion/daily_motion_words.h"

namespace azimora {
namespace {

constexpr UnixSeconds kDay = 1775952000;  // 2026-04-12 00:00 UTC

std::string Clock(UnixSeconds t) { return IsoUtc(t).substr(11, 5); }

struct WordsCase {
    MotionVerdict verdict;
    std::optional<double> peakLoss;
    double hoursWithin1dB, hoursWithin3dB, hoursAbove;
    std::vector<UnixSeconds> worst;
    const char* words;
};

class Verdict : public ::testing::TestWithParam<WordsCase> {};

TEST_P(Verdict, InWords) {
    const WordsCase& c = GetParam();
    DailyMotion motion;
    motion.verdict = c.verdict;
    motion.peakLoss = c.peakLoss;
    motion.hoursWithin1dB = c.hoursWithin1dB;
    motion.hoursWithin3dB = c.hoursWithin3dB;
    motion.hoursAboveHorizon = c.hoursAbove;
    motion.worstTimes = c.worst;
    EXPECT_EQ(VerdictWords(motion, Clock), c.words);
}

INSTANTIATE_TEST_SUITE_P(
    Each, Verdict,
    ::testing::Values(
        WordsCase{MotionVerdict::StationKept, 0.003, 24, 24, 24, {kDay + 3600}, "station-kept: holds all day"},
        WordsCase{MotionVerdict::HoldsAllDay, 0.42, 24, 24, 24, {kDay}, "holds all day, at most 0.42 dB down"},
        WordsCase{MotionVerdict::Fades, 2.104, 20.5, 24, 24, {kDay + 4 * 3600 + 720, kDay + 16 * 3600 + 480},
                  "fades for 3.5 hours a day around 04:12 and 16:08, down to 2.10 dB"},
        WordsCase{MotionVerdict::Fades, 1.2, 23, 24, 24, {kDay + 60, kDay + 43000, kDay + 86340},
                  "fades for 1.0 hour a day around 00:01, 11:56 and 23:59, down to 1.20 dB"},
        WordsCase{MotionVerdict::NeedsTrackingMount, std::nullopt, 12, 18, 24, {kDay + 7 * 3600, kDay + 19 * 3600},
                  "needs a tracking mount: a fixed dish loses it for 6.0 hours a day around 07:00 and 19:00"},
        WordsCase{MotionVerdict::SetsBelowHorizon, std::nullopt, 2, 4, 9.96, {}, "below the horizon for 14.0 hours a day"},
        WordsCase{MotionVerdict::OutOfSight, std::nullopt, 24, 24, 0, {}, "below the horizon all day"}));

TEST(MotionWords, LossInclinationAndAge) {
    EXPECT_EQ(LossWords(1.254), "1.25 dB");
    EXPECT_EQ(LossWords(std::nullopt), "outside the main beam");
    EXPECT_EQ(InclinationWords(3.8536, std::nullopt),
              "inclined 3.85 deg; one element set tells no rate: left alone, it grows about 0.8 deg a year");
    EXPECT_EQ(InclinationWords(3.8536, 0.8249), "inclined 3.85 deg, growing 0.82 deg a year between its element sets");
    EXPECT_EQ(InclinationWords(0.05, -0.2), "inclined 0.05 deg, shrinking 0.20 deg a year between its element sets");
    DailyMotion motion;
    EXPECT_EQ(ElementAgeWords(motion), "");
    motion.elementsOutdated = true;
    motion.elementsAgeDays = 40.4;
    EXPECT_EQ(ElementAgeWords(motion), "elements 40 days old: manoeuvres since are not in them");
    motion.elementsAgeDays = -19.6;
    EXPECT_EQ(ElementAgeWords(motion), "elements dated 20 days after this day: manoeuvres in between are not in them");
}

}  // namespace
}  // namespace azimora
