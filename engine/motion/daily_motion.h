// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <vector>

#include "motion/topocentric_track.h"
#include "orbits/sgp4.h"
#include "sky/civil_time.h"

// Will a fixed dish hold this satellite? A satellite that no longer corrects
// its inclination traces a figure of eight in the sky each day, about one
// degree north and south for each degree of inclination: a small dish's
// wide beam holds it, a large dish's narrow one loses it for hours around
// the figure's ends. For a satellite placed from its elements, a site, a
// day and a dish: the day's track, the one fixed aim that keeps it closest,
// the signal that aim costs over the day, and a verdict. Values only; the
// fronts word them (motion/daily_motion_words.h) and give times in the
// site's zone.
namespace azimora {

inline constexpr double kTrackStepSeconds = 900;  // the track's samples: a quarter of an hour
inline constexpr double kDayStretchSeconds = 86400;

// A satellite within the station-keeping box stays within a tenth of a
// degree of its slot: the tolerance the ITU Radio Regulations set for
// geostationary satellites of the fixed-satellite and broadcasting-
// satellite services (Article 22, No. 22.6, +-0.1 degree in longitude);
// operators keep north and south within the same or tighter (+-0.05 to
// +-0.1 degree).
inline constexpr double kStationKeepingBox = 0.1;  // degrees, latitude and longitude

// Left alone, a geostationary orbit's inclination grows 0.75 to 0.95 degree
// a year (the sun's and moon's pull turning the orbit's plane, faster or
// slower over the moon's 18.6-year cycle): E. M. Soop, "Handbook of
// Geostationary Orbits" (Kluwer / ESA, 1994), on the perturbations of the
// inclination. The expectation for a satellite whose north-south
// manoeuvres have stopped.
inline constexpr double kNaturalInclinationGrowthPerYear = 0.8;

// An element set cannot foresee manoeuvres: even an inclined satellite is
// still kept east and west, every week or two. Older elements may place it
// where it no longer is.
inline constexpr double kElementsUsefulDays = 14;

// The loss a fixed dish is said to hold within, and the half-power point
// where the main beam ends.
inline constexpr double kHoldingLossDb = 1;
inline constexpr double kMainBeamLossDb = 3;

struct DailyMotionInputs {
    MeanElements elements;
    double latitude = 0;       // of the site, degrees north
    double longitudeWest = 0;  // of the site, degrees west
    double altitudeKm = 0;     // above the WGS84 ellipsoid
    UnixSeconds dayStart = 0;  // the day: 24 hours from this instant
    double dishDiameterMetres = 0.6;
    double frequencyGHz = 12;
    // The longitude a catalogue gives the satellite (west positive); none:
    // the middle of the longitudes it passes over in the day.
    std::optional<double> nominalLongitudeWest;
};

struct Aim {
    double azimuth = 0;    // degrees clockwise from true north
    double elevation = 0;  // degrees above the horizon, geometric
};

enum class MotionVerdict {
    StationKept,         // within the station-keeping box, and within 1 dB all day
    HoldsAllDay,         // the best fixed aim keeps it within 1 dB all day
    Fades,               // within the main beam all day, but more than 1 dB down for some hours
    NeedsTrackingMount,  // a fixed dish loses it: beyond the main beam for part of the day
    SetsBelowHorizon,    // below the horizon for part of the day
    OutOfSight,          // below the horizon all day
};

struct DailyMotion {
    std::vector<TrackPoint> track;  // every kTrackStepSeconds over the day, both ends included
    double inclination = 0;         // degrees, the orbit's at the middle of the day
    double swing = 0;               // degrees: the largest angle between two points of the day's track

    Aim bestAim;                    // the direction whose largest angle to the track is least
    double largestError = 0;        // degrees, from the best aim
    double nominalLongitudeWest = 0;
    Aim nominalAim;                 // a satellite standing still over the nominal longitude
    double nominalLargestError = 0; // degrees, from the nominal aim

    double beamwidth = 0;                    // half-power, degrees
    std::optional<double> peakLoss;          // dB from the best aim; none: beyond the main beam at the worst
    std::optional<double> nominalPeakLoss;   // the same from the nominal aim
    double hoursWithin1dB = 0;               // from the best aim
    double hoursWithin3dB = 0;
    std::vector<UnixSeconds> worstTimes;     // the instants of the worst loss from the best aim, in order
    double hoursAboveHorizon = 0;

    bool stationKept = false;
    double elementsAgeDays = 0;  // from the epoch to the middle of the day; negative before the epoch
    bool elementsOutdated = false;
    MotionVerdict verdict = MotionVerdict::HoldsAllDay;
};

// Throws Error for a dish or frequency that is not positive and finite, and
// "the orbit model stops: ..." where SGP4 cannot place the satellite.
[[nodiscard]] DailyMotion ComputeDailyMotion(const DailyMotionInputs& inputs);

// The inclination's yearly change between two element sets of one object,
// degrees a year; none when their epochs lie less than
// kShortestInclinationSpanDays apart (a single set has no rate at all:
// the mean inclination of one fit says nothing of the next).
inline constexpr double kShortestInclinationSpanDays = 30;
[[nodiscard]] std::optional<double> InclinationRatePerYear(const MeanElements& one, const MeanElements& other);

}  // namespace azimora
