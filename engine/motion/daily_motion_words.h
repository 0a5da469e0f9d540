// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "motion/daily_motion.h"

// A satellite's daily motion in the words an installer reads at once. The
// times of day come from the front, in the zone it shows.
namespace azimora {

using TimeOfDayText = std::function<std::string(UnixSeconds)>;

// "station-kept: holds all day", "holds all day, at most 0.42 dB down",
// "fades for 3.5 hours a day around 04:12 and 16:08, down to 2.10 dB",
// "needs a tracking mount: a fixed dish loses it for 6.0 hours a day
// around 04:12 and 16:08", "below the horizon for 5.2 hours a day",
// "below the horizon all day".
[[nodiscard]] std::string VerdictWords(const DailyMotion& motion, const TimeOfDayText& timeOfDay);

// "1.25 dB", or "outside the main beam".
[[nodiscard]] std::string LossWords(const std::optional<double>& lossDb);

// "inclined 3.85 deg, growing 0.82 deg a year between its element sets";
// without a rate: "inclined 3.85 deg; one element set tells no rate: left
// alone, it grows about 0.8 deg a year".
[[nodiscard]] std::string InclinationWords(double inclination, const std::optional<double>& ratePerYear);

// "elements 40 days old: manoeuvres since are not in them", "elements dated
// 20 days after this day: manoeuvres in between are not in them", or empty
// while they are of use.
[[nodiscard]] std::string ElementAgeWords(const DailyMotion& motion);

}  // namespace azimora
