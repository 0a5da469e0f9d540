// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>
#include <QPageSize>
#include <QString>

#include "assistant/installation_report.h"
#include "sky/sky_chart.h"

// The installation sheet: one PDF page to take up the ladder, with the
// site, the satellite, every figure of Installation Details, the sky chart
// and a compass rose with true and magnetic north. Laid out in points on
// A4, or on Letter where the locale measures in inches.
namespace azimora::shell {

[[nodiscard]] QPageSize::PageSizeId SheetPageSize(const QLocale& locale);

struct SheetContent {
    InstallationReport report;
    AssistantSettings settings;
    SkyChart chart;
    ObstacleHorizon obstacles;
    QString printedOn;  // the date line
};

// Throws azimora::Error when the file cannot be written.
void WriteInstallationSheet(const QString& file, const SheetContent& content, const QLocale& locale = QLocale());

}  // namespace azimora::shell
