// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "app/display_check.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QLibraryInfo>
#include <QStringList>

#include <cstdlib>
#include <cstring>

#include <xcb/xcb.h>

namespace azimora::shell {
namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// Qt looks for platform plugins in its own folder and in QT_PLUGIN_PATH's.
bool WaylandPluginInstalled() {
    QStringList folders{QLibraryInfo::path(QLibraryInfo::PluginsPath)};
    folders += QString::fromLocal8Bit(qgetenv("QT_PLUGIN_PATH")).split(u':', Qt::SkipEmptyParts);
    for (const QString& folder : folders)
        if (!QDir(folder + QStringLiteral("/platforms")).entryList({QStringLiteral("libqwayland*.so")}).isEmpty())
            return true;
    return false;
}

bool XServerAnswers() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return answers;
}

// The compositor's socket: WAYLAND_DISPLAY (by default wayland-0) in
// XDG_RUNTIME_DIR, or a path of its own.
bool WaylandAnswers(const std::string& display) {
    std::string path = display.empty() ? "wayland-0" : display;
    if (path.front() != '/') {
        const std::string folder = Variable("XDG_RUNTIME_DIR");
        if (folder.empty()) return false;
        path = folder + "/" + path;
    }
    sockaddr_un address{};
    if (path.size() >= sizeof(address.sun_path)) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool answers = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return answers;
}

}  // namespace

DisplayDecision DecideDisplay(const DisplayEnvironment& environment) {
    const std::string& platform = environment.qtPlatform;
    // A platform asked for by name that needs no display (offscreen, vnc...) is the user's.
    if (!platform.empty() && !StartsWith(platform, "xcb") && !StartsWith(platform, "wayland")) return {};
    const auto xAnswers = [&] { return !environment.x11Display.empty() && environment.xAnswers && environment.xAnswers(); };
    const std::string x11 = "the X display '" + environment.x11Display + "' does not answer";
    if (StartsWith(platform, "xcb")) {
        if (environment.x11Display.empty()) return {"no X display (DISPLAY is not set)", {}};
        return xAnswers() ? DisplayDecision{} : DisplayDecision{x11, {}};
    }
    // Qt 6 takes Wayland in a Wayland session, or where asked.
    const bool wayland = StartsWith(platform, "wayland") || environment.sessionType == "wayland" ||
                         (!environment.waylandDisplay.empty() && environment.x11Display.empty());
    if (wayland) {
        if (environment.waylandPlugin && environment.waylandAnswers && environment.waylandAnswers()) return {};
        if (xAnswers()) return {{}, "xcb"};  // XWayland, or an X server beside the compositor
        if (!environment.waylandPlugin)
            return {"this Wayland session needs Qt's Wayland platform plugin: install the package qt6-wayland", {}};
        return {"the Wayland display '" + (environment.waylandDisplay.empty() ? std::string("wayland-0")
                                                                              : environment.waylandDisplay) +
                    "' does not answer",
                {}};
    }
    if (environment.x11Display.empty())
        return {"no display: start Azimora in a desktop session (X11 or Wayland)", {}};
    return xAnswers() ? DisplayDecision{} : DisplayDecision{x11, {}};
}

DisplayEnvironment CurrentDisplayEnvironment(int argc, char* argv[]) {
    DisplayEnvironment environment;
    environment.qtPlatform = Variable("QT_QPA_PLATFORM");
    // Qt takes -platform NAME (or --platform, or =NAME) over the variable.
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        for (const char* option : {"-platform", "--platform"}) {
            if (argument == option && i + 1 < argc) environment.qtPlatform = argv[i + 1];
            if (StartsWith(argument, option) && argument.size() > std::strlen(option) &&
                argument[std::strlen(option)] == '=')
                environment.qtPlatform = argument.substr(std::strlen(option) + 1);
        }
    }
    environment.sessionType = Variable("XDG_SESSION_TYPE");
    environment.x11Display = Variable("DISPLAY");
    environment.waylandDisplay = Variable("WAYLAND_DISPLAY");
    environment.waylandPlugin = WaylandPluginInstalled();
    environment.xAnswers = XServerAnswers;
    environment.waylandAnswers = [display = environment.waylandDisplay] { return WaylandAnswers(display); };
    return environment;
}

}  // namespace azimora::shell
