// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QPageSize>
#include <QString>

#include "installation/installation_report.h"
#include "sky/sky_chart.h"

// The installation sheet: one PDF page to take up the ladder, with the four
// numbers to set, the site, the satellite, every figure of Installation
// Details, the sky chart and a compass rose with true and magnetic north.
// Laid out in points in fixed regions, on the paper of the user's LC_PAPER.
namespace azimora::shell {

// The paper of a locale's territory ("en_US.UTF-8": Letter; "en_GB": A4).
[[nodiscard]] QPageSize::PageSizeId SheetPageSize(const QString& localeName);
// The locale that decides the paper, as the C library reads LC_PAPER.
[[nodiscard]] QString PaperLocaleName();
// A file name the user typed, with ".pdf" when it has none.
[[nodiscard]] QString WithPdfSuffix(const QString& file);

struct SheetContent {
    InstallationReport report;
    SkyChart chart;
    ObstacleHorizon obstacles;
    QString printedOn;  // the date line
};

// Throws azimora::Error when the file cannot be written.
void WriteInstallationSheet(const QString& file, const SheetContent& content,
                            const QString& paperLocale = PaperLocaleName());

}  // namespace azimora::shell
