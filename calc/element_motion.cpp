// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "element_motion.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <ostream>
#include <vector>

#include "azimora_version.h"
#include "batch.h"
#include "text/json_reader.h"
#include "errors.h"
#include "geometry/dish_beam.h"
#include "geometry/pointing.h"
#include "motion/daily_motion_words.h"
#include "report/shown_numbers.h"

namespace azimora::calc {
namespace {

struct SeenObject {
    const GeostationaryObject* object = nullptr;
    PointingResult pointing;  // the window's, for its longitude at the day's start
    DailyMotion motion;
    std::optional<double> inclinationRate;
};

const char* VerdictKey(MotionVerdict verdict) {
    switch (verdict) {
        case MotionVerdict::StationKept: return "station_kept";
        case MotionVerdict::HoldsAllDay: return "holds_all_day";
        case MotionVerdict::Fades: return "fades";
        case MotionVerdict::NeedsTrackingMount: return "needs_tracking_mount";
        case MotionVerdict::SetsBelowHorizon: return "sets_below_horizon";
        case MotionVerdict::OutOfSight: break;
    }
    return "out_of_sight";
}

std::string Words(const SeenObject& seen, const ZoneTime& zone) {
    return VerdictWords(seen.motion, [&zone](UnixSeconds t) { return zone.TimeOfDay(t).erase(5, 3); });  // "04:12 UTC"
}

// The inclination's rate from another set of the same object in the file:
// the one farthest in time from this one.
std::optional<double> RateFromOtherSets(const GeostationaryObject& object,
                                        const std::multimap<std::string, const GeostationaryObject*>& byNumber) {
    const GeostationaryObject* farthest = nullptr;
    const auto [first, last] = byNumber.equal_range(object.elements.catalogueNumber);
    for (auto other = first; other != last; ++other)
        if (!farthest || std::fabs(other->second->elements.epoch - object.elements.epoch) >
                             std::fabs(farthest->elements.epoch - object.elements.epoch))
            farthest = other->second;
    if (!farthest || object.elements.catalogueNumber.empty()) return std::nullopt;
    return InclinationRatePerYear(MeanElementsOf(farthest->elements), MeanElementsOf(object.elements));
}

std::string Optional(const std::optional<double>& value) { return value ? JsonNumber(*value) : "null"; }

std::string JsonLine(const SeenObject& seen, const ZoneTime& zone) {
    const GeostationaryObject& object = *seen.object;
    const DailyMotion& m = seen.motion;
    const auto aim = [](const Aim& a) {
        return "{\"azimuth\": " + JsonNumber(a.azimuth) + ", \"elevation\": " + JsonNumber(a.elevation) + "}";
    };
    const auto text = [](const std::string& words) { return words.empty() ? std::string("null") : JsonQuoted(words); };
    std::string worst = "[";
    for (const UnixSeconds t : m.worstTimes) worst += (worst.size() > 1 ? ", " : "") + JsonQuoted(zone.Iso(t));
    worst += "]";
    return "{\"name\": " + JsonQuoted(object.elements.name) + ", \"catalogue_number\": " +
           JsonQuoted(object.elements.catalogueNumber) + ", \"sat_lon\": " + JsonNumber(object.longitudeWest) +
           ", \"inclination\": " + JsonNumber(object.elements.inclination) + ", \"drift_per_day\": " +
           JsonNumber(object.driftPerDay) + ", \"epoch_age_days\": " + JsonNumber(object.epochAgeDays) +
           ", \"warning\": " + text(object.warning) + ", \"azimuth\": " +
           JsonNumber(static_cast<double>(seen.pointing.Azimuth)) + ", \"elevation\": " +
           JsonNumber(static_cast<double>(seen.pointing.Elevation)) + ", \"daily_motion\": {\"inclination_deg\": " +
           JsonNumber(m.inclination) + ", \"swing_deg\": " + JsonNumber(m.swing) + ", \"best_aim\": " + aim(m.bestAim) +
           ", \"largest_error_deg\": " + JsonNumber(m.largestError) + ", \"peak_loss_db\": " + Optional(m.peakLoss) +
           ", \"hours_within_1db\": " + JsonNumber(m.hoursWithin1dB) + ", \"hours_within_3db\": " +
           JsonNumber(m.hoursWithin3dB) + ", \"worst_times\": " + worst + ", \"beamwidth_deg\": " +
           JsonNumber(m.beamwidth) + ", \"nominal_lon\": " + JsonNumber(m.nominalLongitudeWest) +
           ", \"nominal_aim\": " + aim(m.nominalAim) + ", \"nominal_error_deg\": " + JsonNumber(m.nominalLargestError) +
           ", \"hours_above_horizon\": " + JsonNumber(m.hoursAboveHorizon) + ", \"station_kept\": " +
           (m.stationKept ? "true" : "false") + ", \"elements_outdated\": " + (m.elementsOutdated ? "true" : "false") +
           ", \"inclination_rate_deg_per_year\": " + Optional(seen.inclinationRate) + ", \"verdict\": " +
           JsonQuoted(VerdictKey(m.verdict)) + ", \"verdict_text\": " + JsonQuoted(Words(seen, zone)) +
           ", \"inclination_text\": " + JsonQuoted(InclinationWords(m.inclination, seen.inclinationRate)) +
           ", \"elements_text\": " + text(ElementAgeWords(m)) + "}, \"version\": " + JsonQuoted(kVersion) +
           ", \"format\": 1}";
}

constexpr const char* kCsvHeader =
    "name,catalogue_number,sat_lon,inclination,drift_per_day,epoch_age_days,warning,azimuth,elevation,"
    "inclination_deg,swing_deg,best_aim_azimuth,best_aim_elevation,largest_error_deg,peak_loss_db,hours_within_1db,"
    "hours_within_3db,worst_times,beamwidth_deg,nominal_lon,nominal_aim_azimuth,nominal_aim_elevation,"
    "nominal_error_deg,hours_above_horizon,station_kept,elements_outdated,inclination_rate_deg_per_year,verdict,"
    "verdict_text\n";

std::string CsvRow(const SeenObject& seen, const ZoneTime& zone) {
    const GeostationaryObject& object = *seen.object;
    const DailyMotion& m = seen.motion;
    std::string worst;
    for (const UnixSeconds t : m.worstTimes) worst += (worst.empty() ? "" : " ") + zone.Iso(t);
    const auto optional = [](const std::optional<double>& value) { return value ? JsonNumber(*value) : std::string(); };
    std::string row = CsvTextCell(object.elements.name) + ',' + CsvTextCell(object.elements.catalogueNumber);
    for (const std::string& cell :
         {JsonNumber(object.longitudeWest), JsonNumber(object.elements.inclination), JsonNumber(object.driftPerDay),
          JsonNumber(object.epochAgeDays), CsvTextCell(object.warning),
          JsonNumber(static_cast<double>(seen.pointing.Azimuth)), JsonNumber(static_cast<double>(seen.pointing.Elevation)),
          JsonNumber(m.inclination), JsonNumber(m.swing), JsonNumber(m.bestAim.azimuth), JsonNumber(m.bestAim.elevation),
          JsonNumber(m.largestError), optional(m.peakLoss), JsonNumber(m.hoursWithin1dB), JsonNumber(m.hoursWithin3dB),
          worst, JsonNumber(m.beamwidth), JsonNumber(m.nominalLongitudeWest), JsonNumber(m.nominalAim.azimuth),
          JsonNumber(m.nominalAim.elevation), JsonNumber(m.nominalLargestError), JsonNumber(m.hoursAboveHorizon),
          std::string(m.stationKept ? "true" : "false"), std::string(m.elementsOutdated ? "true" : "false"),
          optional(seen.inclinationRate), std::string(VerdictKey(m.verdict)), CsvTextCell(Words(seen, zone))})
        row += ',' + cell;
    return row + '\n';
}

// 114.08 W, 19.20 E: longitudes west positive, as the site report writes them.
std::string Longitude(double west) { return LongitudeText(west, 2); }

std::string Padded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text + ' ';
}

void Table(std::ostream& out, const std::vector<SeenObject>& seen, const ElementSiteSettings& settings) {
    const double beamwidth = HalfPowerBeamwidth(settings.dishDiameterMetres, settings.frequencyGHz);
    out << "Site                  " << LatitudeText(settings.latitude, 2) << ", " << Longitude(settings.longitudeWest) << '\n'
        << "Dish                  " << FixedText(settings.dishDiameterMetres, 2) << " m at "
        << FixedText(settings.frequencyGHz, 2) << " GHz, a half-power beam of " << FixedText(beamwidth, 2) << " deg\n"
        << "Day                   24 hours from " << settings.zone.Date(settings.dayStart) << ' '
        << settings.zone.TimeOfDay(settings.dayStart) << "\n\n";
    out << Padded("Object", 24) << Padded("Number", 6) << Padded("Sat lon", 8) << Padded("Incl", 5)
        << Padded("Swing", 5) << Padded("Aim az", 6) << Padded("Aim el", 6) << Padded("Error", 5)
        << Padded("Peak loss", 21) << Padded("1 dB h", 6) << Padded("3 dB h", 6) << "Verdict\n";
    std::string notes;
    for (const SeenObject& s : seen) {
        const DailyMotion& m = s.motion;
        out << Padded(s.object->elements.name, 24) << Padded(s.object->elements.catalogueNumber, 6)
            << Padded(Longitude(s.object->longitudeWest), 8) << Padded(FixedText(m.inclination, 2), 5)
            << Padded(FixedText(m.swing, 2), 5) << Padded(FixedText(m.bestAim.azimuth, 2), 6)
            << Padded(FixedText(m.bestAim.elevation, 2), 6) << Padded(FixedText(m.largestError, 2), 5)
            << Padded(LossWords(m.peakLoss), 21) << Padded(FixedText(m.hoursWithin1dB, 1), 6)
            << Padded(FixedText(m.hoursWithin3dB, 1), 6) << Words(s, settings.zone) << '\n';
        const std::string name = s.object->elements.name + ": ";
        if (m.verdict == MotionVerdict::Fades || m.verdict == MotionVerdict::NeedsTrackingMount)
            notes += name + InclinationWords(m.inclination, s.inclinationRate) + '\n';
        if (m.elementsOutdated) notes += name + ElementAgeWords(m) + '\n';
    }
    if (!notes.empty()) out << '\n' << notes;
}

}  // namespace

ElementSiteSettings ElementSiteSettingsOf(const CalcOptions& options) {
    const InstallationInputs& inputs = options.inputs;
    ElementSiteSettings settings;
    settings.latitude = inputs.latitude;
    settings.longitudeWest = inputs.longitudeWest;
    settings.altitudeKm = inputs.altitudeKm;
    settings.dishDiameterMetres = inputs.dishDiameterMetres;
    settings.frequencyGHz = inputs.frequencyGHz;
    if (options.siteZone) settings.zone = ZoneOfSite(inputs.latitude, inputs.longitudeWest).zone;
    if (options.timeZone) settings.zone = *ZoneTime::Named(*options.timeZone);
    // The day is the 24 hours from the start of --date in the zone.
    settings.dayStart = options.siteZone && options.day
                            ? settings.zone.Midnight(options.day->year, options.day->month, options.day->day)
                            : settings.zone.StartOfDay(inputs.instant);
    settings.output = options.json    ? ElementSiteSettings::Output::Json
                      : options.table ? ElementSiteSettings::Output::Table
                                      : ElementSiteSettings::Output::Csv;
    return settings;
}

ElementListResult ListElementsAtSite(std::istream& in, std::ostream& out, std::ostream& errors,
                                     const ElementSiteSettings& settings) {
    const ElementSetFile file = ReadElementFile(in, settings.dayStart);
    std::multimap<std::string, const GeostationaryObject*> byNumber;
    for (const GeostationaryObject& object : file.objects) byNumber.emplace(object.elements.catalogueNumber, &object);
    std::vector<SeenObject> seen;
    std::size_t failed = 0;
    for (const GeostationaryObject& object : file.objects) {
        DailyMotionInputs inputs;
        inputs.elements = MeanElementsOf(object.elements);
        inputs.latitude = settings.latitude;
        inputs.longitudeWest = settings.longitudeWest;
        inputs.altitudeKm = settings.altitudeKm;
        inputs.dayStart = settings.dayStart;
        inputs.dishDiameterMetres = settings.dishDiameterMetres;
        inputs.frequencyGHz = settings.frequencyGHz;
        try {
            SeenObject s{&object,
                         CalculatePointing({settings.latitude, settings.longitudeWest, object.longitudeWest, 0}),
                         ComputeDailyMotion(inputs), RateFromOtherSets(object, byNumber)};
            seen.push_back(std::move(s));
        } catch (const Error& error) {
            errors << "azimora-calc: --tle: " << object.elements.name << " (" << object.elements.catalogueNumber
                   << "): " << error.what() << '\n';
            ++failed;
        }
    }
    switch (settings.output) {
        case ElementSiteSettings::Output::Table: Table(out, seen, settings); break;
        case ElementSiteSettings::Output::Json:
            for (const SeenObject& s : seen) out << JsonLine(s, settings.zone) << '\n';
            break;
        case ElementSiteSettings::Output::Csv:
            out << kCsvHeader;
            for (const SeenObject& s : seen) out << CsvRow(s, settings.zone);
            break;
    }
    ReportSkipped(file, errors);
    return {seen.size(), file.skippedCount + failed};
}

}  // namespace azimora::calc
