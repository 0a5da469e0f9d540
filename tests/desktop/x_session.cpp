// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "x_session.h"

#include <QProcess>
#include <QRegularExpression>

namespace azimora::desktop {

std::optional<QString> RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList VisibleWindows(const QString& titlePattern) {
    const auto ids = RunTool(QStringLiteral("xdotool"),
                             {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                              titlePattern});
    return ids ? ids->split(u'\n', Qt::SkipEmptyParts) : QStringList();
}

std::optional<QRect> WindowGeometry(const QString& id) {
    const auto info = RunTool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
    if (!info) return std::nullopt;
    auto field = [&](const char* name) {
        const QRegularExpression pattern(QString::fromLatin1(name) + QStringLiteral(":\\s+(-?\\d+)"));
        return pattern.match(*info).captured(1).toInt();
    };
    return QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height"));
}

std::optional<QRect> FrameGeometry(const QString& id) {
    const auto client = WindowGeometry(id);
    static const QRegularExpression extents(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)"));
    const auto match = extents.match(WindowProperty(id, QStringLiteral("_NET_FRAME_EXTENTS")));
    if (!client || !match.hasMatch()) return std::nullopt;
    // left, right, top, bottom
    return client->adjusted(-match.captured(1).toInt(), -match.captured(3).toInt(), match.captured(2).toInt(),
                            match.captured(4).toInt());
}

QString WindowProperty(const QString& id, const QString& property) {
    return RunTool(QStringLiteral("xprop"), {QStringLiteral("-id"), id, property}).value_or(QString()).trimmed();
}

bool CloseWindow(const QString& id) {
    return RunTool(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-c"), id}).has_value();
}

QImage Screenshot() {
    QProcess process;
    process.start(QStringLiteral("import"),
                  {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
    if (!process.waitForFinished(20000)) return {};
    return QImage::fromData(process.readAllStandardOutput(), "PNG");
}

}  // namespace azimora::desktop
