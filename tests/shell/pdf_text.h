// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace azimora::shell::testing {

// A word of a PDF page as pdftotext finds it, its top in points.
struct PdfWord {
    QString text;
    double top;
    double left;
};

// The words of the first page of a PDF file, in reading order (poppler's
// pdftotext -bbox); nullopt when pdftotext is missing or fails.
[[nodiscard]] std::optional<std::vector<PdfWord>> PdfWords(const QString& pdfFile);

// A line of a PDF page with its box in points from the page's top.
struct PdfLineBox {
    QString text;
    double top;
    double bottom;
};

// The lines of the first page of a PDF file with their boxes (pdftotext
// -bbox-layout), top to bottom; nullopt when pdftotext is missing or fails.
[[nodiscard]] std::optional<std::vector<PdfLineBox>> PdfLineBoxes(const QString& pdfFile);

// A word of a PDF page with its whole box, in points from the page's top left.
struct PdfWordBox {
    QString text;
    double left, top, right, bottom;
};
struct PdfPage {
    double width = 0, height = 0;
    std::vector<PdfWordBox> words;
};
// The first page's size and words (pdftotext -bbox); nullopt when it fails.
[[nodiscard]] std::optional<PdfPage> PdfPageWords(const QString& pdfFile);

// What keeps a printed report from being read, as a reader would see it:
// lines that overlap, a page whose twelve lines do not reach down to about
// 9 cm (between 8 and 10 cm from the top), no text at all. Empty when legible.
[[nodiscard]] QStringList ReportPageProblems(const QString& pdfFile);

// The lines of text of a PDF file (pdftotext -layout).
[[nodiscard]] std::optional<QStringList> PdfLines(const QString& pdfFile);

}  // namespace azimora::shell::testing
