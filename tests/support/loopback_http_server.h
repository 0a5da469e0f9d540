// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QSslConfiguration>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <memory>

// A web server on this computer's loopback address for the download's
// tests, answering as it is told: the body, a 404, nothing at all, half a
// body before it hangs up (short of its length, without the last chunk, or
// with no length at all), a redirect, a byte at a time, or bytes given
// whole (head, framing and all) after which it hangs up at once or when the
// test says, so that a test can cut the connection once the client has
// taken what came. Plain HTTP, or HTTPS with the certificate it is given.
// No test touches the internet.
namespace azimora::testing {

class LoopbackHttpServer {
public:
    enum class Answer { Body, NotFound, Silent, Truncated, ChunkedWithoutEnd, CloseDelimitedHalf, Redirect, Trickle, Raw };
    enum class HangUp { AtOnce, WhenCut };

    // With tls, HTTPS: each connection is read once its handshake is done.
    explicit LoopbackHttpServer(const QSslConfiguration* tls = nullptr) {
        if (tls != nullptr) {
            auto secure = std::make_unique<QSslServer>();
            secure->setSslConfiguration(*tls);
            server_ = std::move(secure);
        } else {
            server_ = std::make_unique<QTcpServer>();
        }
        server_->listen(QHostAddress::LocalHost, 0);
        QObject::connect(server_.get(), &QTcpServer::pendingConnectionAvailable, [this] {
            while (QTcpSocket* socket = server_->nextPendingConnection()) {
                held_.append(socket);
                QObject::connect(socket, &QTcpSocket::readyRead, [this, socket] { Read(socket); });
            }
        });
    }
    ~LoopbackHttpServer() {
        for (const QPointer<QTcpSocket>& socket : held_)
            if (!socket.isNull()) socket->abort();
    }

    // For Redirect, body is the address to send the client on to.
    void Respond(Answer answer, QByteArray body = {}) {
        answer_ = answer;
        body_ = std::move(body);
    }
    // For Answer::Raw: the bytes as they go on the wire, then the hang-up.
    void RespondRaw(QByteArray bytes, HangUp hangUp) {
        answer_ = Answer::Raw;
        body_ = std::move(bytes);
        hangUp_ = hangUp;
    }
    // Hangs up the connection that waits for it (HangUp::WhenCut), if any.
    void Cut() {
        if (!waiting_.isNull()) waiting_->disconnectFromHost();
        waiting_.clear();
    }
    [[nodiscard]] QUrl Address() const {
        return QUrl(QStringLiteral("%1://127.0.0.1:%2/gp.php?GROUP=geo&FORMAT=json")
                        .arg(qobject_cast<QSslServer*>(server_.get()) != nullptr ? "https" : "http")
                        .arg(server_->serverPort()));
    }
    [[nodiscard]] int Requests() const { return requests_; }

private:
    void Read(QTcpSocket* socket) {
        QByteArray& request = requests_text_[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n")) return;
        ++requests_;
        switch (answer_) {
            case Answer::Body:
                socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
                              QByteArray::number(body_.size()) + "\r\nConnection: close\r\n\r\n" + body_);
                socket->disconnectFromHost();
                break;
            case Answer::NotFound:
                socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\nnot found");
                socket->disconnectFromHost();
                break;
            case Answer::Silent:
                break;
            case Answer::Truncated:
                socket->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body_.size()) + "\r\n\r\n" +
                              body_.left(body_.size() / 2));
                socket->flush();
                socket->disconnectFromHost();
                break;
            case Answer::ChunkedWithoutEnd: {
                const QByteArray half = body_.left(body_.size() / 2);
                socket->write("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" + QByteArray::number(half.size(), 16) +
                              "\r\n" + half + "\r\n");
                socket->flush();
                socket->disconnectFromHost();
                break;
            }
            case Answer::CloseDelimitedHalf:
                socket->write("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + body_.left(body_.size() / 2));
                socket->flush();
                socket->disconnectFromHost();
                break;
            case Answer::Redirect:
                socket->write("HTTP/1.1 302 Found\r\nLocation: " + body_ + "\r\nContent-Length: 0\r\n\r\n");
                socket->flush();
                break;
            case Answer::Raw:
                socket->write(body_);
                socket->flush();
                if (hangUp_ == HangUp::AtOnce)
                    socket->disconnectFromHost();
                else
                    waiting_ = socket;
                break;
            case Answer::Trickle: {
                socket->write("HTTP/1.1 200 OK\r\nContent-Length: 1000000\r\n\r\n");
                auto* timer = new QTimer(socket);
                QObject::connect(timer, &QTimer::timeout, socket, [socket] { socket->write("x"); });
                timer->start(100);
                break;
            }
        }
    }

    std::unique_ptr<QTcpServer> server_;
    Answer answer_ = Answer::Body;
    QByteArray body_;
    HangUp hangUp_ = HangUp::AtOnce;
    QPointer<QTcpSocket> waiting_;
    int requests_ = 0;
    QList<QPointer<QTcpSocket>> held_;
    QHash<QTcpSocket*, QByteArray> requests_text_;
};

}  // namespace azimora::testing
