// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "element_download.h"

#include <QFile>
#include <QFutureWatcher>
#include <QNetworkProxy>
#include <QSaveFile>
#include <QSslSocket>
#include <QTcpSocket>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

#include "formats/kept_elements.h"
#include "formats/orbit_mean_elements.h"

namespace azimora::sources {
namespace {

QString SizeText(qint64 bytes) {
    if (bytes < 1024) return QStringLiteral("%1 bytes").arg(bytes);
    if (bytes < (1 << 20)) return QStringLiteral("%1 KB").arg(bytes / 1024);
    return QString::number(static_cast<double>(bytes) / (1 << 20), 'f', 1) + QStringLiteral(" MB");
}

QString FolderText(const std::filesystem::path& folder) { return QFile::decodeName(folder.c_str()); }

bool IsRedirect(int status) { return status == 301 || status == 302 || status == 303 || status == 307 || status == 308; }

// No connection came about at all: the machine is offline, or the name unknown.
bool IsNoConnection(QAbstractSocket::SocketError error) {
    switch (error) {
        case QAbstractSocket::HostNotFoundError:
        case QAbstractSocket::ConnectionRefusedError:
        case QAbstractSocket::NetworkError:
        case QAbstractSocket::SocketAccessError:
        case QAbstractSocket::ProxyConnectionRefusedError:
        case QAbstractSocket::ProxyNotFoundError:
        case QAbstractSocket::UnknownSocketError: return true;
        default: return false;
    }
}

}  // namespace

std::filesystem::path DefaultKeptElementsFolder() {
    const QByteArray cache = qgetenv("XDG_CACHE_HOME"), home = qgetenv("HOME");
    return KeptElementsFolder(cache.isEmpty() ? nullptr : cache.constData(), home.isEmpty() ? nullptr : home.constData());
}

ElementDownload::ElementDownload(std::filesystem::path keptFolder, QObject* parent)
    : QObject(parent), folder_(std::move(keptFolder)) {
    stall_.setSingleShot(true);
    connect(&stall_, &QTimer::timeout, this, [this] {
        if (socket_.isNull()) return;
        fail(QStringLiteral("%1 did not answer within %2 s; nothing was changed.").arg(address_.host()).arg(timeoutMs_ / 1000));
    });
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] {
        if (socket_.isNull()) return;
        fail(QStringLiteral("The download from %1 did not finish within %2 minutes; nothing was changed.")
                 .arg(address_.host())
                 .arg(deadline_.interval() / 60000.0, 0, 'g', 3));
    });
}

ElementDownload::~ElementDownload() { dropSocket(); }

QString ElementDownload::keptFile() const { return FolderText(folder_ / kKeptElementsFile); }

ElementDownload::Start ElementDownload::start(const QUrl& address, const QDateTime& now, int timeoutMs, int deadlineMs) {
    if (running()) return Start::Refused;
    if (const QString problem = AddressProblem(address); !problem.isEmpty()) {
        message_ = problem;
        return Start::Refused;
    }
    if (folder_.empty()) {
        message_ = QStringLiteral("No cache folder to keep the download in: neither XDG_CACHE_HOME nor HOME is set.");
        return Start::Refused;
    }
    const double nowSeconds = static_cast<double>(now.toMSecsSinceEpoch()) / 1000;
    if (const auto kept = FindKeptElements(folder_); kept && kept->address == address.toString().toStdString()) {
        const double age = nowSeconds - kept->downloaded;
        // The kept time is to the second: a moment later can read as a little earlier.
        if (age > -60 && age < kDownloadIntervalSeconds) {
            message_ = QStringLiteral("The kept copy from this address is %1 old: fresh enough. Publishers ask for "
                                      "the same data no more than once every two hours, so it is used instead.")
                           .arg(QString::fromStdString(AgeText(std::max(0.0, age))));
            return Start::KeptIsFresh;
        }
    }
    std::error_code ec;
    std::filesystem::create_directories(folder_, ec);
    if (ec) {
        message_ = QStringLiteral("Cannot make the cache folder %1: %2")
                       .arg(FolderText(folder_), QString::fromStdString(ec.message()));
        return Start::Refused;
    }
    address_ = address;
    visited_ = {address};
    cancelled_ = false;
    timeoutMs_ = timeoutMs;
    deadline_.start(deadlineMs);
    connectTo(address);
    message_ = QStringLiteral("Downloading from %1\u2026").arg(address.host());
    return Start::Started;
}

void ElementDownload::connectTo(const QUrl& address) {
    dropSocket();
    hop_ = address;
    data_.clear();
    tooLarge_ = false;
    headChecked_ = false;
    tlsProblem_.clear();
    answer_ = std::make_unique<HttpResponseReader>([this](std::string_view part) {
        if (tooLarge_ || data_.size() + static_cast<qint64>(part.size()) > kMaxDownloadBytes) {
            tooLarge_ = true;
            return;
        }
        data_.append(part.data(), static_cast<qsizetype>(part.size()));
    });
    const bool tls = address.scheme() == QLatin1String("https");
    QTcpSocket* socket = tls ? new QSslSocket(this) : new QTcpSocket(this);
    socket_ = socket;
    // This computer's own server is reached directly, whatever proxy the desktop names.
    socket->setProxy(IsThisComputer(address) ? QNetworkProxy(QNetworkProxy::NoProxy) : QNetworkProxy(QNetworkProxy::DefaultProxy));
    // The socket stops reading from the server while this much waits for us.
    socket->setReadBufferSize(kReadBufferBytes);
    connect(socket, &QTcpSocket::readyRead, this, &ElementDownload::received);
    connect(socket, &QTcpSocket::errorOccurred, this, &ElementDownload::ended);
    connect(socket, &QTcpSocket::disconnected, this, [this] { ended(QAbstractSocket::RemoteHostClosedError); });
    stall_.start(timeoutMs_);
    if (auto* secure = qobject_cast<QSslSocket*>(socket)) {
        connect(secure, &QSslSocket::encrypted, this, &ElementDownload::sendRequest);
        connect(secure, &QSslSocket::sslErrors, this, [this](const QList<QSslError>& errors) {
            if (!errors.isEmpty() && tlsProblem_.isEmpty()) tlsProblem_ = errors.first().errorString();
        });
        secure->connectToHostEncrypted(address.host(), static_cast<quint16>(address.port(443)));
    } else {
        connect(socket, &QTcpSocket::connected, this, &ElementDownload::sendRequest);
        socket->connectToHost(address.host(), static_cast<quint16>(address.port(80)));
    }
}

void ElementDownload::sendRequest() {
    if (!socket_.isNull()) socket_->write(ElementRequest(hop_));
}

void ElementDownload::cancel() {
    cancelled_ = true;
    if (!socket_.isNull()) fail(QStringLiteral("Download cancelled; the kept copy is as it was."));
}

void ElementDownload::dropSocket() {
    stall_.stop();
    if (socket_.isNull()) return;
    QTcpSocket* socket = socket_;
    socket_.clear();
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void ElementDownload::received() {
    if (socket_.isNull()) return;
    const QByteArray bytes = socket_->readAll();
    if (bytes.isEmpty()) return;
    stall_.start(timeoutMs_);
    const std::uint64_t before = answer_->BodyBytes();
    answer_->Feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (answer_->state() != HttpResponseReader::State::Head && !headChecked_) {
        headChecked_ = true;
        if (answer_->Status() != 0 && !headRead()) return;  // failed, or gone on to another address
    }
    if (tooLarge_)
        return fail(QStringLiteral("The download grew past %1: no element file is that large; nothing was kept.")
                        .arg(SizeText(kMaxDownloadBytes)));
    if (answer_->BodyBytes() != before) {
        const auto length = answer_->ContentLength();
        emit progress(static_cast<qint64>(answer_->BodyBytes()), length ? static_cast<qint64>(*length) : -1);
        if (socket_.isNull()) return;  // cancelled meanwhile
    }
    if (answer_->state() == HttpResponseReader::State::Broken)
        return fail(QStringLiteral("%1 sent no valid HTTP answer (%2); nothing was changed.")
                        .arg(address_.host(), QString::fromStdString(answer_->Problem())));
    if (answer_->state() == HttpResponseReader::State::Whole) check();
}

// The status line and header fields: an error, a redirect, or the download itself.
bool ElementDownload::headRead() {
    const QString host = address_.host();
    const int status = answer_->Status();
    const QString reason = QString::fromLatin1(answer_->Reason());
    if (status >= 400) {
        fail(QStringLiteral("%1 answered HTTP %2 %3: check the address; nothing was changed.").arg(host).arg(status).arg(reason));
        return false;
    }
    if (IsRedirect(status)) {
        const std::string* location = answer_->Field("Location");
        if (location == nullptr) {
            fail(QStringLiteral("%1 answered HTTP %2 %3 without saying where to; nothing was changed.")
                     .arg(host)
                     .arg(status)
                     .arg(reason));
            return false;
        }
        const QUrl to = hop_.resolved(QUrl(QString::fromLatin1(*location)));
        if (const QString problem = AddressProblem(to); !problem.isEmpty()) {
            fail(QStringLiteral("%1 sent the download on to another address, which is refused. %2; nothing was changed.")
                     .arg(host, problem));
            return false;
        }
        if (visited_.contains(to)) {
            fail(QStringLiteral("%1 sent the download round in a loop of redirects (back to %2); nothing was changed.")
                     .arg(host, to.toString()));
            return false;
        }
        if (visited_.size() > kMaxRedirects) {
            fail(QStringLiteral("%1 sent the download on more than %2 times; nothing was changed.").arg(host).arg(kMaxRedirects));
            return false;
        }
        visited_ << to;
        connectTo(to);
        return false;
    }
    if (status < 200 || status >= 300 || status == 206) {
        fail(QStringLiteral("%1 answered HTTP %2 %3, which is no download of the file; nothing was changed.")
                 .arg(host)
                 .arg(status)
                 .arg(reason));
        return false;
    }
    if (const std::string* coding = answer_->Field("Content-Encoding");
        coding != nullptr && QString::fromLatin1(*coding).compare(QLatin1String("identity"), Qt::CaseInsensitive) != 0) {
        fail(QStringLiteral("%1 sent the file compressed (%2) though it was asked for it as it is; nothing was changed.")
                 .arg(host, QString::fromLatin1(*coding)));
        return false;
    }
    return true;
}

// The connection ended or failed: what came is judged by its framing alone.
void ElementDownload::ended(QAbstractSocket::SocketError error) {
    if (socket_.isNull()) return;
    received();  // what the socket still holds
    if (socket_.isNull()) return;  // whole, failed or sent on elsewhere on the way
    const QString host = address_.host();
    const QString cause = socket_->errorString();
    if (answer_->BytesTaken() == 0) {
        if (IsNoConnection(error))
            return fail(QStringLiteral("No connection to %1 (%2): offline? The kept copy, if any, is still offered.")
                            .arg(hop_.host(), cause));
        if (!tlsProblem_.isEmpty())
            return fail(QStringLiteral("The download from %1 failed: %2; nothing was changed.").arg(host, tlsProblem_));
        if (error == QAbstractSocket::RemoteHostClosedError)
            return fail(QStringLiteral("%1 closed the connection without an answer; nothing was changed.").arg(host));
        return fail(QStringLiteral("The download from %1 failed: %2; nothing was changed.").arg(host, cause));
    }
    // Only an orderly close ends a body framed by the close; a reset or a
    // failure beneath breaks it off (RFC 9112 section 8).
    if (error == QAbstractSocket::RemoteHostClosedError && answer_->Close() == HttpResponseReader::State::Whole)
        return check();
    if (const auto length = answer_->ContentLength(); length && answer_->framing() == HttpResponseReader::Framing::Length)
        return fail(QStringLiteral("The download broke off after %1 of %2 bytes; nothing was changed.")
                        .arg(answer_->BodyBytes())
                        .arg(*length));
    fail(QStringLiteral("The download from %1 broke off: %2; nothing was changed.")
             .arg(host, answer_->Problem().empty() ? cause : QString::fromStdString(answer_->Problem())));
}

void ElementDownload::fail(const QString& message) {
    message_ = message;
    data_.clear();
    deadline_.stop();
    checking_ = false;
    dropSocket();
    emit finished(false);
}

void ElementDownload::check() {
    dropSocket();
    deadline_.stop();
    const QString host = address_.host();
    // What came must be element sets, whole, before it replaces the kept
    // copy: an error page, a portal's login form or a body cut off at the
    // connection's close is not. Read on another thread; the data stays
    // untouched here meanwhile.
    checking_ = true;
    auto* watcher = new QFutureWatcher<QString>(this);
    connect(watcher, &QFutureWatcher<QString>::finished, this, [this, watcher] {
        watcher->deleteLater();
        keep(watcher->result());
    });
    const std::string_view text(data_.constData(), static_cast<std::size_t>(data_.size()));
    watcher->setFuture(QtConcurrent::run([text, host]() -> QString {
        try {
            const double now = static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000;
            const ElementSetFile read = ReadOrbitElements(text, now);
            if (read.endsMidRecord)
                return QStringLiteral("The download from %1 broke off inside a record; nothing was changed.").arg(host);
            if (read.objects.empty() && read.skipped.empty())
                return QStringLiteral("What %1 sent holds no near-geostationary element sets; nothing was changed.").arg(host);
            if (read.objects.empty())
                return QStringLiteral("What %1 sent holds no near-geostationary element sets (%2 skipped, the first: %3); "
                                      "nothing was changed.")
                    .arg(host)
                    .arg(read.skippedCount)
                    .arg(QString::fromStdString(read.skipped.front()));
            return {};
        } catch (const std::exception& problem) {
            return QStringLiteral("What %1 sent cannot be read: %2; nothing was changed.").arg(host, QString::fromUtf8(problem.what()));
        }
    }));
}

void ElementDownload::keep(const QString& problem) {
    if (!checking_) return;  // failed or cancelled meanwhile
    if (cancelled_) return fail(QStringLiteral("Download cancelled; the kept copy is as it was."));
    if (!problem.isEmpty()) return fail(problem);
    const double now = static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000;
    const std::string info = KeptElementsInfoText(address_.toString().toStdString(), now);
    // A link planted in the cache is replaced, never written through.
    for (const std::filesystem::path& path : {folder_ / kKeptElementsFile, folder_ / kKeptElementsInfo}) {
        std::error_code ec;
        if (std::filesystem::is_symlink(path, ec)) std::filesystem::remove(path, ec);
    }
    QSaveFile elements(keptFile()), record(FolderText(folder_ / kKeptElementsInfo));
    if (!elements.open(QIODevice::WriteOnly) || elements.write(data_) != data_.size() || !elements.commit())
        return fail(QStringLiteral("Cannot keep the download in %1: %2").arg(FolderText(folder_), elements.errorString()));
    if (!record.open(QIODevice::WriteOnly) || record.write(info.data(), static_cast<qint64>(info.size())) != static_cast<qint64>(info.size()) ||
        !record.commit())
        return fail(QStringLiteral("Cannot keep the download in %1: %2").arg(FolderText(folder_), record.errorString()));
    message_ = QStringLiteral("Downloaded %1 from %2.").arg(SizeText(data_.size()), address_.host());
    data_.clear();
    checking_ = false;
    emit finished(true);
}

}  // namespace azimora::sources
