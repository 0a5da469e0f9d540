// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

#include "azimora_version.h"

namespace azimora::shell {
namespace {

// Qt's own windowing options, which QApplication takes off the command line.
const char* const kQtOptionsWithValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin", "display",
                                           "qwindowgeometry", "qwindowicon", "qwindowtitle", "style", "stylesheet"};

void Print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

}  // namespace

std::optional<int> HandleCommandLine(int argc, char* argv[]) {
    if (argc <= 1) return std::nullopt;
    // A core application gives the parser the program's name and never
    // touches the display; it is gone before the real one is made.
    const QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("azimora"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersion));

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "Where to point a satellite dish: the azimuth and elevation of a geostationary satellite from a location."));
    const QCommandLineOption help = parser.addHelpOption();
    // -v as Qt names it, and -V as azimora-calc takes it.
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("V"), QStringLiteral("version")},
                                     QStringLiteral("Displays version information."));
    parser.addOption(version);
    for (const char* name : kQtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    QCommandLineOption reverse(QStringLiteral("reverse"));
    reverse.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(reverse);

    const bool parsed = parser.parse(QCoreApplication::arguments());
    if (parsed && parser.positionalArguments().isEmpty()) {
        if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
            Print(stdout, parser.helpText());
            return 0;
        }
        if (parser.isSet(version)) {
            Print(stdout, QStringLiteral("azimora %1\n").arg(QString::fromLatin1(kVersion)));
            return 0;
        }
        return std::nullopt;
    }
    const QString error = parsed ? QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first())
                                 : parser.errorText();
    Print(stderr, QStringLiteral("azimora: %1\n\n%2").arg(error, parser.helpText()));
    return 2;
}

}  // namespace azimora::shell
