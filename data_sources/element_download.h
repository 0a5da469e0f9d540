// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractSocket>
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <filesystem>
#include <memory>

#include "element_request.h"
#include "formats/http_response.h"

class QTcpSocket;

// Current orbital elements fetched from a publisher, only when the user asks,
// and kept in the user's cache folder for offline use (see
// formats/kept_elements.h). Over HTTPS only (plain HTTP only to this
// computer's own loopback address, as tests and local mirrors have it), at
// every hop of a redirect too; never more often than the publisher allows;
// a download that fails, stalls, breaks off (short of its length, without
// its last chunk, or inside a record), outlasts its deadline or holds no
// element sets leaves the kept copy as it was. What came is read on another
// thread, so that the window answers throughout.
//
// HTTP/1.1 is spoken here over Qt's sockets rather than through
// QNetworkAccessManager, because only the bytes themselves tell whether a
// body ended: Qt's HTTP client takes a connection closed inside a chunked
// body as its end whenever the close is seen before the error (a race one
// try in five lost), and its reply hides the chunks. The framing is read by
// formats/http_response.h; whole is what it says is whole.
namespace azimora::sources {

// CelesTrak's GP query for the geostationary group, as orbit mean-elements
// messages in JSON (https://celestrak.org/NORAD/documentation/gp-data-formats.php).
inline constexpr const char* kDefaultElementsAddress = "https://celestrak.org/NORAD/elements/gp.php?GROUP=geo&FORMAT=json";
inline constexpr int kDownloadTimeoutMs = 60000;
// However it trickles, a download ends within five minutes: CelesTrak's
// geostationary group (about 1 MB) takes seconds even on a slow line.
// kDownloadTimeoutMs: no byte for this long, and the server is taken as gone.
inline constexpr int kDownloadDeadlineMs = 5 * 60 * 1000;
// The body as it arrives (asked for uncompressed) counts against this; the
// socket holds at most kReadBufferBytes of it at a time.
inline constexpr qint64 kMaxDownloadBytes = 64ll << 20;
inline constexpr qint64 kReadBufferBytes = 1ll << 20;
// Redirects followed before the download is given up (RFC 9110 section 15.4
// asks a client to stop a loop; an address seen twice is one at once).
inline constexpr int kMaxRedirects = 10;

// Where the download is kept: $XDG_CACHE_HOME/azimora (formats/kept_elements.h).
[[nodiscard]] std::filesystem::path DefaultKeptElementsFolder();


class ElementDownload final : public QObject {
    Q_OBJECT

public:
    ElementDownload(std::filesystem::path keptFolder, QObject* parent = nullptr);
    ~ElementDownload() override;
    Q_DISABLE_COPY_MOVE(ElementDownload)

    enum class Start { Started, KeptIsFresh, Refused };
    // Starts a download unless the kept copy of the same address is younger
    // than the publisher's interval, or the address is refused; message()
    // says which.
    Start start(const QUrl& address, const QDateTime& now = QDateTime::currentDateTimeUtc(),
                int timeoutMs = kDownloadTimeoutMs, int deadlineMs = kDownloadDeadlineMs);
    void cancel();
    // From the start until finished: while it downloads, and while what came
    // is read (on another thread) before it is kept.
    [[nodiscard]] bool running() const { return !socket_.isNull() || checking_; }
    [[nodiscard]] QString message() const { return message_; }
    [[nodiscard]] QString keptFile() const;

signals:
    void progress(qint64 received, qint64 total);  // total -1 while unknown
    // ok: the kept copy is new (keptFile()); else message() says why not.
    void finished(bool ok);

private:
    void connectTo(const QUrl& address);
    void sendRequest();
    void received();
    void ended(QAbstractSocket::SocketError error);
    bool headRead();
    void check();
    void keep(const QString& problem);
    void fail(const QString& message);
    void dropSocket();

    std::filesystem::path folder_;
    QPointer<QTcpSocket> socket_;
    std::unique_ptr<HttpResponseReader> answer_;  // of the connection open now
    bool headChecked_ = false;
    QString tlsProblem_;       // why the server's certificate was refused
    QByteArray data_;          // kept in memory until it is known to be element sets
    bool tooLarge_ = false;
    QUrl address_;             // as asked: kept with the download
    QUrl hop_;                 // where the connection open now goes
    QList<QUrl> visited_;      // the addresses of the redirects so far
    bool cancelled_ = false;
    bool checking_ = false;    // what came is being read on another thread
    int timeoutMs_ = kDownloadTimeoutMs;
    QTimer stall_;
    QTimer deadline_;
    QString message_;
};

}  // namespace azimora::sources
