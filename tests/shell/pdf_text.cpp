#include "pdf_text.h"

#include <QProcess>
#include <QRegularExpression>

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
