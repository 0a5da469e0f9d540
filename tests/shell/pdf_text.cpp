// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "pdf_text.h"

#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace azimora::shell::testing {
namespace {

std::optional<QString> RunPdfToText(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

std::optional<std::vector<PdfWord>> PdfWords(const QString& pdfFile) {
    const auto html = RunPdfToText({QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                    QStringLiteral("-l"), QStringLiteral("1"), pdfFile, QStringLiteral("-")});
    if (!html) return std::nullopt;
    static const QRegularExpression word(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re"));
    std::vector<PdfWord> words;
    for (auto match = word.globalMatch(*html); match.hasNext();) {
        const auto m = match.next();
        QString text = m.captured(3);
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
        text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
        text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        text.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
        words.push_back({text, m.captured(2).toDouble(), m.captured(1).toDouble()});
    }
    return words;
}

std::optional<std::vector<PdfLineBox>> PdfLineBoxes(const QString& pdfFile) {
    const auto html = RunPdfToText({QStringLiteral("-bbox-layout"), QStringLiteral("-f"), QStringLiteral("1"),
                                    QStringLiteral("-l"), QStringLiteral("1"), pdfFile, QStringLiteral("-")});
    if (!html) return std::nullopt;
    static const QRegularExpression line(
        QStringLiteral(R"re(<line xMin="[\d.]+" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">(.*?)</line>)re"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression word(QStringLiteral(R"re(<word [^>]*>([^<]*)</word>)re"));
    std::vector<PdfLineBox> lines;
    for (auto match = line.globalMatch(*html); match.hasNext();) {
        const auto m = match.next();
        QStringList words;
        for (auto w = word.globalMatch(m.captured(3)); w.hasNext();) words << w.next().captured(1);
        lines.push_back({words.join(u' '), m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    std::sort(lines.begin(), lines.end(), [](const PdfLineBox& a, const PdfLineBox& b) { return a.top < b.top; });
    // pdftotext may break one printed line where its words stand far apart.
    std::vector<PdfLineBox> merged;
    for (const PdfLineBox& box : lines) {
        if (!merged.empty() && std::abs(merged.back().top - box.top) < 0.5 &&
            std::abs(merged.back().bottom - box.bottom) < 0.5) {
            merged.back().text += u' ' + box.text;
        } else {
            merged.push_back(box);
        }
    }
    return merged;
}

std::optional<PdfPage> PdfPageWords(const QString& pdfFile) {
    const auto html = RunPdfToText({QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                    QStringLiteral("1"), pdfFile, QStringLiteral("-")});
    if (!html) return std::nullopt;
    static const QRegularExpression page(QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)">)re"));
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    const auto size = page.match(*html);
    if (!size.hasMatch()) return std::nullopt;
    PdfPage result{size.captured(1).toDouble(), size.captured(2).toDouble(), {}};
    for (auto match = word.globalMatch(*html); match.hasNext();) {
        const auto m = match.next();
        result.words.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                                m.captured(4).toDouble()});
    }
    return result;
}

QStringList ReportPageProblems(const QString& pdfFile) {
    const auto lines = PdfLineBoxes(pdfFile);
    if (!lines) return {QStringLiteral("pdftotext (poppler-utils) cannot read ") + pdfFile};
    QStringList problems;
    if (lines->size() != 12) problems << QStringLiteral("%1 lines instead of 12").arg(lines->size());
    for (std::size_t i = 0; i < lines->size(); ++i)
        for (std::size_t j = i + 1; j < lines->size(); ++j)
            if ((*lines)[j].top < (*lines)[i].bottom && (*lines)[i].top < (*lines)[j].bottom)
                problems << QStringLiteral("overlap: ") + (*lines)[i].text + QStringLiteral(" | ") + (*lines)[j].text;
    constexpr double kPointsPerCm = 72 / 2.54;
    if (!lines->empty()) {
        const double lastTop = lines->back().top / kPointsPerCm;
        if (lastTop < 8 || lastTop > 10) problems << QStringLiteral("the last line's top at %1 cm").arg(lastTop, 0, 'f', 1);
    }
    return problems;
}

std::optional<QStringList> PdfLines(const QString& pdfFile) {
    const auto text = RunPdfToText({pdfFile, QStringLiteral("-")});
    if (!text) return std::nullopt;
    QStringList lines;
    for (const QString& line : text->split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && trimmed != QStringLiteral("\f")) lines << trimmed;
    }
    return lines;
}

}  // namespace azimora::shell::testing
