// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "qt_printers.h"

namespace {

struct ProgramRun {
    int exitCode;
    QString out;
    QString err;
};

// The real program, with no display to open: the xcb platform would fail
// on its first window, so an answer proves that none was made.
ProgramRun Azimora(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(AZIMORA_EXECUTABLE), arguments);
    if (!process.waitForFinished(20000)) {
        process.kill();
        return {-1, {}, {}};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()), QString::fromLocal8Bit(process.readAllStandardError())};
}

TEST(CommandLine, HelpAndVersionAnswerWithoutADisplay) {
    for (const QString& option : {QStringLiteral("--version"), QStringLiteral("-v"), QStringLiteral("-V")}) {
        const ProgramRun run = Azimora({option});
        EXPECT_EQ(run.exitCode, 0) << option.toStdString();
        EXPECT_EQ(run.out, "azimora 2.0\n");
        EXPECT_EQ(run.err, "");
    }
    for (const QString& option : {QStringLiteral("--help"), QStringLiteral("-h"), QStringLiteral("--help-all")}) {
        const ProgramRun run = Azimora({option});
        EXPECT_EQ(run.exitCode, 0) << option.toStdString();
        EXPECT_TRUE(run.out.contains("Usage:")) << run.out.toStdString();
        EXPECT_TRUE(run.out.contains("--version")) << run.out.toStdString();
    }
    // Qt's own windowing options are taken, not refused.
    EXPECT_EQ(Azimora({"-platform", "offscreen", "--version"}).exitCode, 0);
}

TEST(CommandLine, AnythingElseIsAUsageErrorOnStandardError) {
    for (const QStringList& arguments : {QStringList{"--bogus"}, QStringList{"extra"}, QStringList{"-x"}}) {
        const ProgramRun run = Azimora(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.startsWith("azimora: ")) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("Usage:")) << run.err.toStdString();
    }
}

}  // namespace
