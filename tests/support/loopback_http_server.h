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
#include <QUrl>

// A web server on this computer's loopback address for the download's
// tests, answering as it is told: the body, a 404, nothing at all, or half a
// body before it hangs up. No test touches the internet.
namespace azimora::testing {

class LoopbackHttpServer {
public:
    enum class Answer { Body, NotFound, Silent, Truncated };

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
