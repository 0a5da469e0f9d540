// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

// The main window's own texts and its one threshold, as the tool has always
// shown and printed them: its result texts, its message boxes and its
// printed one-page report. They stay exactly as they are, byte for byte;
// the installation report's words (report/) follow rules of their own and
// never stand in for these. A header of its own, below every layer that
// shows them.
namespace azimora {

// The elevation must exceed this, in degrees, to be shown as a number...
inline constexpr long double kHorizonThreshold = 1.0L;
// ...otherwise the elevation text is this.
inline constexpr const char* kBelowHorizonText = "Below Horizon!";

// The display values at start-up, and after a choice that cannot be calculated.
inline constexpr const char* kNoSatelliteText = "No satellite selected.";
inline constexpr const char* kNoLocationText = "No location selected.";
inline constexpr const char* kNotEnteredText = "0.00";
inline constexpr const char* kNoCalculationText = "No Calculation";

// The message boxes.
inline constexpr const char* kApplicationTitle = "Azimora 2003";  // of the error box and plain message boxes
inline constexpr const char* kConfirmTitle = "Confirm";
inline constexpr const char* kSaveQuestion = "Are you sure you want to save this modified entry to your user list?";
inline constexpr const char* kPrintReminder = "Please calculate a pointing BEFORE printing.";

// The printed report, line by line; the display values go after the captions.
inline constexpr const char* kReportTitle = "Azimora - The Satellite Pointing Lookup";
inline constexpr const char* kReportSatellite = "Satellite: ";
inline constexpr const char* kReportSatelliteLongitude = "Satellite Longitude: ";
inline constexpr const char* kReportLocation = "Location: ";
inline constexpr const char* kReportLatitude = "Location Lattitude: ";
inline constexpr const char* kReportLongitude = "Location Longitude: ";
inline constexpr const char* kReportDegrees = " degrees";
inline constexpr const char* kReportPointing = "Dish Pointing";
inline constexpr const char* kReportAzimuth = "Azimuth: ";
inline constexpr const char* kReportElevation = "Elevation: ";
inline constexpr const char* kReportPrintedFrom = "Printed from Azimora: The Satellite Pointing Lookup Application.";
// Also the splash window's credit line.
inline constexpr const char* kCreditLine = "Written by the Azimora developers (see README)";
inline constexpr const char* kReportDate = "Date: ";
// Full weekday and month names, the day without a leading zero: "Sunday December 6, 2026".
inline constexpr const char* kReportDateFormat = "dddd MMMM d, yyyy";

}  // namespace azimora
