// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "element_request.h"

#include <QHostAddress>

namespace azimora::sources {

bool IsThisComputer(const QUrl& address) {
    const QString host = address.host();
    if (host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0) return true;
    const QHostAddress ip(host);
    return !ip.isNull() && ip.isLoopback();
}

QString AddressProblem(const QUrl& address) {
    if (!address.isValid() || address.host().isEmpty())
        return QStringLiteral("\"%1\" is no web address").arg(address.toString());
    if (address.scheme() == QLatin1String("https")) return {};
    if (address.scheme() == QLatin1String("http") && IsThisComputer(address)) return {};
    return QStringLiteral("Only https:// addresses are used (plain http:// only to this computer itself): \"%1\"")
        .arg(address.toString());
}

// GET, one request a connection, the body asked for as it is: a coding the
// server chose would hide nothing from the framing, but would need undoing.
QByteArray ElementRequest(const QUrl& address) {
    QByteArray host = address.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':')) host = "[" + host + "]";  // an IPv6 address
    if (address.port() != -1) host += ":" + QByteArray::number(address.port());
    QByteArray target = address.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty()) target = "/";
    if (address.hasQuery()) target += "?" + address.query(QUrl::FullyEncoded).toLatin1();
    return "GET " + target + " HTTP/1.1\r\nHost: " + host +
           "\r\nUser-Agent: Azimora/2.0\r\nAccept-Encoding: identity\r\nConnection: close\r\n\r\n";
}

}  // namespace azimora::sources
