// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QSet>
#include <QThread>

#include <optional>

#include <unistd.h>

#include "main_window/report.h"
#include "pdf_text.h"
#include "qt_printers.h"

namespace azimora::shell {
namespace {

// The queue that scripts/setup-print-queue.sh makes, and where CUPS keeps
// the files of its jobs.
const QString kQueue = QStringLiteral("AzimoraPDF");
const QString kSpool = QStringLiteral("/var/spool/cups");

QSet<QString> JobFiles() {
    const QStringList files = QDir(kSpool).entryList({QStringLiteral("d*")}, QDir::Files);
    return {files.begin(), files.end()};
}

bool EndsAsAPdf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll().trimmed().endsWith("%%EOF");
}

// The whole way through a real print queue: Qt's CUPS backend, the
// scheduler, the job file it keeps. The PDF the queue itself writes has its
// text as outlines, so the job file is what is read back.
TEST(PrintQueue, TheQueueReceivesTheReport) {
    if (QPrinterInfo::printerInfo(kQueue).isNull())
        GTEST_SKIP() << "no CUPS queue " << kQueue.toStdString() << " (scripts/setup-print-queue.sh makes one)";
    // Only root or the lp group may read the jobs CUPS keeps (its spool is
    // 0710 root:lp, its job files 0640): asked of the system itself, as
    // Qt's answer follows the mode bits alone.
    if (::access(kSpool.toLocal8Bit().constData(), R_OK | X_OK) != 0)
        GTEST_SKIP() << "the CUPS spool folder is not readable by this user (run as root to include this test)";

    const QSet<QString> before = JobFiles();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(kQueue);
    ASSERT_TRUE(printer.isValid());
    DisplayValues values;
    values.SatName = "AfriStar";
    values.Azimuth = "3.21207326063051";
    values.Elevation = "Below Horizon!";
    PrintReportLines(printer, ReportLines(values, QDate(2026, 12, 6), QLocale(QLocale::English, QLocale::UnitedStates)));

    // The scheduler writes the job file in pieces: it is whole once it ends
    // with the PDF's end mark. A bound for a busy machine, not a pause.
    QString job;
    std::optional<QStringList> lines;
    QElapsedTimer waited;
    waited.start();
    while (!lines && waited.elapsed() < 60000) {
        const QSet<QString> added = JobFiles() - before;
        if (job.isEmpty() && !added.isEmpty()) {
            job = kSpool + u'/' + *added.begin();
            if (::access(job.toLocal8Bit().constData(), R_OK) != 0)
                GTEST_SKIP() << "the queue's job files are not readable by this user (run as root to include this test)";
        }
        if (!job.isEmpty() && EndsAsAPdf(job)) lines = testing::PdfLines(job);
        if (!lines) QThread::msleep(100);
    }
    ASSERT_FALSE(job.isEmpty()) << "the queue received no job";
    ASSERT_TRUE(lines.has_value()) << job.toStdString();
    // pdftotext may break the wide title where its words stand far apart.
    EXPECT_TRUE(lines->join(' ').startsWith("Azimora - The Satellite Pointing Lookup")) << lines->join('|').toStdString();
    EXPECT_TRUE(lines->contains("Satellite: AfriStar"));
    EXPECT_TRUE(lines->contains("Elevation: Below Horizon!"));
    EXPECT_TRUE(lines->contains("Date: Sunday December 6, 2026"));
    // Laid out as on paper: Qt sends the queue a 1200 dpi page.
    EXPECT_EQ(testing::ReportPageProblems(job), QStringList());

    QProcess info;
    info.start("pdfinfo", {job});
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains("Azimora - The Satellite Pointing Lookup"));
}

}  // namespace
}  // namespace azimora::shell
