// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <filesystem>

class QNetworkReply;

// Current orbital elements fetched from a publisher, only when the user asks,
// and kept in the user's cache folder for offline use (see
// formats/kept_elements.h). Over HTTPS only (plain HTTP only to this
// computer's own loopback address, as tests and local mirrors have it);
// never more often than the publisher allows; a download that fails,
// stalls, breaks off or holds no element sets leaves the kept copy as it was.
namespace azimora::sources {

// CelesTrak's GP query for the geostationary group, as orbit mean-elements
// messages in JSON (https://celestrak.org/NORAD/documentation/gp-data-formats.php).
inline constexpr const char* kDefaultElementsAddress = "https://celestrak.org/NORAD/elements/gp.php?GROUP=geo&FORMAT=json";
inline constexpr int kDownloadTimeoutMs = 60000;
inline constexpr qint64 kMaxDownloadBytes = 64ll << 20;

// Where the download is kept: $XDG_CACHE_HOME/azimora (formats/kept_elements.h).
[[nodiscard]] std::filesystem::path DefaultKeptElementsFolder();

// Why an address is refused; empty when it may be used.
[[nodiscard]] QString AddressProblem(const QUrl& address);

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
                int timeoutMs = kDownloadTimeoutMs);
    void cancel();
    [[nodiscard]] bool running() const { return !reply_.isNull(); }
    [[nodiscard]] QString message() const { return message_; }
    [[nodiscard]] QString keptFile() const;

signals:
    void progress(qint64 received, qint64 total);  // total -1 while unknown
    // ok: the kept copy is new (keptFile()); else message() says why not.
    void finished(bool ok);

private:
    void received();
    void done();
    void fail(const QString& message);

    std::filesystem::path folder_;
    QNetworkAccessManager network_;
    QPointer<QNetworkReply> reply_;
    QByteArray data_;  // kept in memory until it is known to be element sets
    QUrl address_;
    bool cancelled_ = false;
    int timeoutMs_ = kDownloadTimeoutMs;
    QString message_;
};

}  // namespace azimora::sources
