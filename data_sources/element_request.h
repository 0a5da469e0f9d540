// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

// What the download of current elements asks of a server, and of which
// servers: HTTPS only, plain HTTP only to this computer itself.
namespace azimora::sources {

// The address names this computer itself (localhost, a loopback address).
[[nodiscard]] bool IsThisComputer(const QUrl& address);

// Why an address is refused; empty when it may be used.
[[nodiscard]] QString AddressProblem(const QUrl& address);

// The request for the address's file.
[[nodiscard]] QByteArray ElementRequest(const QUrl& address);

}  // namespace azimora::sources
