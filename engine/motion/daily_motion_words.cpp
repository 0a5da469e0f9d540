// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "motion/daily_motion_words.h"

#include <cmath>
#include <vector>

#include "text/number_text.h"

namespace azimora {
namespace {

// "04:12", "04:12 and 16:08", "00:03, 11:58 and 23:57".
std::string Around(const std::vector<UnixSeconds>& instants, const TimeOfDayText& timeOfDay) {
    std::string words;
    for (std::size_t i = 0; i < instants.size(); ++i) {
        if (i > 0) words += i + 1 == instants.size() ? " and " : ", ";
        words += timeOfDay(instants[i]);
    }
    return words;
}

std::string Hours(double hours) {
    const std::string shown = FormatFixed(hours, 1);
    return shown + (shown == "1.0" ? " hour" : " hours");
}

}  // namespace

std::string LossWords(const std::optional<double>& lossDb) {
    return lossDb ? FormatFixed(*lossDb, 2) + " dB" : "outside the main beam";
}

std::string VerdictWords(const DailyMotion& motion, const TimeOfDayText& timeOfDay) {
    const std::string around = motion.worstTimes.empty() ? "" : " around " + Around(motion.worstTimes, timeOfDay);
    switch (motion.verdict) {
        case MotionVerdict::StationKept: return "station-kept: holds all day";
        case MotionVerdict::HoldsAllDay: return "holds all day, at most " + LossWords(motion.peakLoss) + " down";
        case MotionVerdict::Fades:
            return "fades for " + Hours(24 - motion.hoursWithin1dB) + " a day" + around + ", down to " +
                   LossWords(motion.peakLoss);
        case MotionVerdict::NeedsTrackingMount:
            return "needs a tracking mount: a fixed dish loses it for " + Hours(24 - motion.hoursWithin3dB) + " a day" +
                   around;
        case MotionVerdict::SetsBelowHorizon:
            return "below the horizon for " + Hours(24 - motion.hoursAboveHorizon) + " a day";
        case MotionVerdict::OutOfSight: break;
    }
    return "below the horizon all day";
}

std::string InclinationWords(double inclination, const std::optional<double>& ratePerYear) {
    const std::string now = "inclined " + FormatFixed(inclination, 2) + " deg";
    if (!ratePerYear)
        return now + "; one element set tells no rate: left alone, it grows about " +
               FormatFixed(kNaturalInclinationGrowthPerYear, 1) + " deg a year";
    return now + (*ratePerYear >= 0 ? ", growing " : ", shrinking ") + FormatFixed(std::fabs(*ratePerYear), 2) +
           " deg a year between its element sets";
}

std::string ElementAgeWords(const DailyMotion& motion) {
    if (!motion.elementsOutdated) return "";
    const std::string days = FormatFixed(std::fabs(motion.elementsAgeDays), 0) + " days";
    return motion.elementsAgeDays > 0 ? "elements " + days + " old: manoeuvres since are not in them"
                                       : "elements dated " + days + " after this day: manoeuvres in between are not in them";
}

}  // namespace azimora
