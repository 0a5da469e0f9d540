// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "element_download.h"

#include <QFile>
#include <QFutureWatcher>
#include <QHostAddress>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
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

bool Loopback(const QUrl& address) {
    const QString host = address.host();
    if (host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0) return true;
    const QHostAddress ip(host);
    return !ip.isNull() && ip.isLoopback();
}

QString FolderText(const std::filesystem::path& folder) { return QFile::decodeName(folder.c_str()); }

}  // namespace

std::filesystem::path DefaultKeptElementsFolder() {
    const QByteArray cache = qgetenv("XDG_CACHE_HOME"), home = qgetenv("HOME");
    return KeptElementsFolder(cache.isEmpty() ? nullptr : cache.constData(), home.isEmpty() ? nullptr : home.constData());
}

QString AddressProblem(const QUrl& address) {
    if (!address.isValid() || address.host().isEmpty())
        return QStringLiteral("\"%1\" is no web address").arg(address.toString());
    if (address.scheme() == QLatin1String("https")) return {};
    if (address.scheme() == QLatin1String("http") && Loopback(address)) return {};
    return QStringLiteral("Only https:// addresses are used (plain http:// only to this computer itself): \"%1\"")
        .arg(address.toString());
}

ElementDownload::ElementDownload(std::filesystem::path keptFolder, QObject* parent)
    : QObject(parent), folder_(std::move(keptFolder)) {
    // Every hop of a redirect is held to the rule the first address is.
    network_.setRedirectPolicy(QNetworkRequest::UserVerifiedRedirectPolicy);
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] {
        if (reply_.isNull()) return;
        fail(QStringLiteral("The download from %1 did not finish within %2 minutes; nothing was changed.")
                 .arg(address_.host())
                 .arg(deadline_.interval() / 60000.0, 0, 'g', 3));
    });
}

ElementDownload::~ElementDownload() {
    if (!reply_.isNull()) {
        reply_->disconnect(this);
        reply_->abort();
    }
}

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
    data_.clear();
    cancelled_ = false;
    timeoutMs_ = timeoutMs;
    // This computer's own server is reached directly, whatever proxy the desktop names.
    network_.setProxy(Loopback(address) ? QNetworkProxy(QNetworkProxy::NoProxy) : QNetworkProxy(QNetworkProxy::DefaultProxy));
    QNetworkRequest request(address);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Azimora/2.0"));
    // No byte for this long: the server is taken as gone.
    request.setTransferTimeout(timeoutMs);
    reply_ = network_.get(request);
    // The network layer stops reading from the server while this much waits for us.
    reply_->setReadBufferSize(kReadBufferBytes);
    connect(reply_, &QNetworkReply::readyRead, this, &ElementDownload::received);
    connect(reply_, &QNetworkReply::redirected, this, &ElementDownload::redirected);
    deadline_.start(deadlineMs);
    connect(reply_, &QNetworkReply::downloadProgress, this, &ElementDownload::progress);
    connect(reply_, &QNetworkReply::finished, this, &ElementDownload::done);
    message_ = QStringLiteral("Downloading from %1\u2026").arg(address.host());
    return Start::Started;
}

void ElementDownload::cancel() {
    cancelled_ = true;
    if (!reply_.isNull()) reply_->abort();
}

void ElementDownload::redirected(const QUrl& to) {
    if (reply_.isNull()) return;
    if (const QString problem = AddressProblem(to); !problem.isEmpty())
        return fail(QStringLiteral("%1 sent the download on to another address, which is refused. %2; nothing was changed.")
                        .arg(address_.host(), problem));
    emit reply_->redirectAllowed();
}

void ElementDownload::received() {
    if (reply_.isNull() || !reply_->isOpen()) return;
    const QByteArray chunk = reply_->readAll();
    if (data_.size() + chunk.size() > kMaxDownloadBytes) {
        fail(QStringLiteral("The download grew past %1: no element file is that large; nothing was kept.")
                 .arg(SizeText(kMaxDownloadBytes)));
        return;
    }
    data_ += chunk;
}

void ElementDownload::fail(const QString& message) {
    message_ = message;
    data_.clear();
    deadline_.stop();
    checking_ = false;
    if (!reply_.isNull()) {
        QNetworkReply* reply = reply_;
        reply_.clear();
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    emit finished(false);
}

void ElementDownload::done() {
    if (reply_.isNull()) return;
    received();
    QNetworkReply* reply = reply_;
    if (reply == nullptr) return;  // failed while reading the last bytes
    const QString host = address_.host();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = reply->error();
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (cancelled_) return fail(QStringLiteral("Download cancelled; the kept copy is as it was."));
    if (error == QNetworkReply::OperationCanceledError || error == QNetworkReply::TimeoutError)
        return fail(QStringLiteral("%1 did not answer within %2 s; nothing was changed.").arg(host).arg(timeoutMs_ / 1000));
    if (status >= 400)
        return fail(QStringLiteral("%1 answered HTTP %2 %3: check the address; nothing was changed.")
                        .arg(host)
                        .arg(status)
                        .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString()));
    if (error == QNetworkReply::HostNotFoundError || error == QNetworkReply::ConnectionRefusedError ||
        error == QNetworkReply::TemporaryNetworkFailureError || error == QNetworkReply::NetworkSessionFailedError ||
        error == QNetworkReply::UnknownNetworkError)
        return fail(QStringLiteral("No connection to %1 (%2): offline? The kept copy, if any, is still offered.")
                        .arg(host, reply->errorString()));
    if (length.isValid() && length.toLongLong() != data_.size())
        return fail(QStringLiteral("The download broke off after %1 of %2 bytes; nothing was changed.")
                        .arg(data_.size())
                        .arg(length.toLongLong()));
    if (error != QNetworkReply::NoError)
        return fail(QStringLiteral("The download from %1 failed: %2; nothing was changed.").arg(host, reply->errorString()));
    reply_.clear();
    reply->deleteLater();
    deadline_.stop();
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
            if (read.objects.empty())
                return QStringLiteral("What %1 sent holds no near-geostationary element sets; nothing was changed.").arg(host);
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
