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

// The lines of text of a PDF file (pdftotext -layout).
[[nodiscard]] std::optional<QStringList> PdfLines(const QString& pdfFile);

}  // namespace azimora::shell::testing
