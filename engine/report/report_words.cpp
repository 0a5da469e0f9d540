// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "report/report_words.h"

#include <cmath>

#include "text/number_text.h"

namespace azimora {
namespace {

std::string Joined(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) joined += (joined.empty() ? "" : ", ") + name;
    return joined;
}

// "60.1 mm left": a length across the dish by its side; none for what shows as 0.0.
std::string Sideways(double millimetres, const char* positive, const char* negative) {
    if (RoundsToZero(millimetres, 1)) return "0.0 mm";
    return FixedText(std::fabs(millimetres), 1) + " mm " + (millimetres > 0 ? positive : negative);
}

}  // namespace

std::string SkewWords(std::optional<double> skew, bool visible, const SatellitePolarisation& polarisation) {
    if (!visible) return kOutOfSightWords;
    if (polarisation.ofSatellite == Polarisation::Circular) return kCircularWords;
    if (!skew) return "none to set: the satellite stands straight overhead, and the LNB has no up to turn from";
    std::string words = SkewIsNone(*skew) ? std::string(kNoSkewWords)
                                          : "turn the LNB " + DegreesText(std::fabs(*skew), kSkewDecimals) +
                                                (*skew > 0 ? " clockwise" : " counter-clockwise") +
                                                ", seen from behind the dish";
    if (polarisation.ofSatellite == Polarisation::Mixed)
        return words + " (for its linear transponders; circular ones need none)";
    if (polarisation.ofSatellite != Polarisation::Unknown) return words;
    // The tables at this position are of other satellites: what they say, as a hint only.
    const std::string names = Joined(polarisation.namesAtPosition);
    if (polarisation.atPosition == Polarisation::Circular)
        words += " (the DVB scan tables list only circular transponders at this position, of " + names +
                 ": if yours is one of them, it needs no skew)";
    if (polarisation.atPosition == Polarisation::Mixed)
        words += " (the DVB scan tables at this position differ: " + names +
                 " send in linear and circular polarisation; circular needs no skew)";
    return words;
}

std::string FaceTiltWords(std::optional<double> tilt, double offsetAngle) {
    if (!tilt) return kOutOfSightWords;
    const std::string face = FaceIsUpright(*tilt) ? "the face upright"
                             : *tilt > 0           ? "the face tilted back, looking up"
                                                   : "the face tilted forward, looking down";
    return DegreesText(*tilt, kTiltDecimals) + " on an inclinometer: " + face + ", for an offset of " +
           DegreesText(offsetAngle, 1);
}

std::string MotorWords(const std::optional<MotorMount>& motor) {
    if (!motor) return kOutOfSightWords;
    const std::string offset = "declination offset " + DegreesText(motor->declinationOffset, 2);
    if (RoundsToZero(motor->motorAngle, 2)) return "at the centre; " + offset;
    // Positive towards the west.
    return DegreesText(std::fabs(motor->motorAngle), 2) + (motor->motorAngle > 0 ? " west" : " east") +
           " of centre; " + offset;
}

std::string CompassWarningWords(CompassWarning warning) {
    switch (warning) {
        case CompassWarning::Unreliable:
            return "under " + FormatGeneral(kUnreliableCompassField) +
                   " nT a compass is unreliable here; aim by the sun or a landmark";
        case CompassWarning::Caution:
            return "under " + FormatGeneral(kCautionCompassField) + " nT a compass needs caution here; check it against the sun";
        case CompassWarning::None: break;
    }
    return {};
}

std::string HorizontalFieldWords(double horizontalFieldNt, CompassWarning warning) {
    const std::string field = FixedText(horizontalFieldNt, 0) + " nT";
    const std::string warningWords = CompassWarningWords(warning);
    return warningWords.empty() ? field : field + ": " + warningWords;
}

std::string MagneticModelWords(const MagneticField& field) {
    const std::string years = FixedText(field.validFrom, 1) + " to " + FixedText(field.validTo, 1);
    if (field.valid) return field.model + ", valid " + years;
    return field.model + ", outside its years (" + years + "): the compass bearing is approximate";
}

std::string CompassWarningKeyword(const InstallationFigures& figures) {
    switch (figures.compassWarning) {
        case CompassWarning::Unreliable: return "unreliable";
        case CompassWarning::Caution: return "caution";
        case CompassWarning::None: break;
    }
    return figures.magnetic.valid ? "" : "outside the magnetic model's years";
}

std::string SatelliteWords(const std::string& name, double longitudeWest) {
    const std::string longitude = LongitudeText(longitudeWest, 2);
    return name.empty() ? longitude : name + " (" + longitude + ")";
}

SecondSatelliteWords SecondWords(const std::string& name, double longitudeWest, double focalLengthMm,
                                 const TwoSatelliteDish& dish, bool firstVisible) {
    SecondSatelliteWords words;
    words.satellite = SatelliteWords(name, longitudeWest);
    words.separation = DegreesText(dish.separation, 2) + " apart seen from the site (" +
                       DegreesText(dish.orbitalSpacing, 2) + " in orbit)";
    if (!firstVisible) {
        words.lnb = kOutOfSightWords;
        return words;
    }
    if (!dish.secondVisible) {
        words.lnb = "none: the second satellite cannot be seen from this site";
        return words;
    }
    if (!dish.beyondReach.empty()) {
        words.lnb = "none: " + dish.beyondReach;
        return words;
    }
    words.lnb = FixedText(dish.lnbOffsetMm, 1) + " mm from the first LNB: " + Sideways(dish.lnbRightMm, "right", "left") +
                " and " + Sideways(dish.lnbUpMm, "up", "down") + ", seen from behind the dish (focal length " +
                FixedText(focalLengthMm, 0) + " mm)";
    words.skew = SkewWords(dish.secondSkew, true, {});
    const auto monoblock = FittingMonoblock(dish);
    words.monoblock = monoblock ? "a " + FormatGeneral(*monoblock) + "\u00B0 monoblock fits"
                                : "no monoblock fits (made for " + DegreesText(kMonoblockSpacings[0], 1) + " or " +
                                      DegreesText(kMonoblockSpacings[1], 0) + " apart in orbit): use a multifeed holder";
    return words;
}

}  // namespace azimora
