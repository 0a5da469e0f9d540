// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

// A web server on this computer's loopback address for the download's
// tests, answering as it is told: the body, a 404, nothing at all, half a
// body before it hangs up (short of its length, without the last chunk, or
// with no length at all), a redirect, or a byte at a time. No test touches
// the internet.
namespace azimora::testing {

class LoopbackHttpServer {
public:
    enum class Answer { Body, NotFound, Silent, Truncated, ChunkedWithoutEnd, CloseDelimitedHalf, Redirect, Trickle };

    LoopbackHttpServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
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
    [[nodiscard]] QUrl Address() const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/gp.php?GROUP=geo&FORMAT=json").arg(server_.serverPort()));
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
            case Answer::Trickle: {
                socket->write("HTTP/1.1 200 OK\r\nContent-Length: 1000000\r\n\r\n");
                auto* timer = new QTimer(socket);
                QObject::connect(timer, &QTimer::timeout, socket, [socket] { socket->write("x"); });
                timer->start(100);
                break;
            }
        }
    }

    QTcpServer server_;
    Answer answer_ = Answer::Body;
    QByteArray body_;
    int requests_ = 0;
    QList<QPointer<QTcpSocket>> held_;
    QHash<QTcpSocket*, QByteArray> requests_text_;
};

}  // namespace azimora::testing
