// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// A download is whole only when its framing says so (RFC 9112): the last
// chunk and the end of the trailer section, or exactly Content-Length bytes.
// Answers cut short at every place the framing has, hung up at once or only
// once the client has taken what came, again and again: the kept copy is
// replaced by whole answers alone, byte for byte.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>

#include <map>
#include <string>

#include "element_download.h"
#include "event_bound.h"
#include "formats/kept_elements.h"
#include "loopback_http_server.h"
#include "temp_folder.h"

namespace azimora::sources {
namespace {

using azimora::testing::LoopbackHttpServer;

// A hundred two-line sets of GOES 9 under one name; the name tells two
// bodies apart. The lines' checksums are worked out for them.
QByteArray Sets(const char* name) {
    QByteArray sets;
    for (int i = 0; i < 100; ++i)
        sets += QByteArray(name) + "\n" +
                "1 23581U 95025A   07064.44075725 -.00000113  00000-0  10000-3 0  9238\n"
                "2 23581   3.0539  81.7939 0005013 249.2363 150.1602  1.00273272 43989\n";
    return sets;
}

constexpr int kChunks = 10;  // each of ten sets: a cut between chunks ends between sets

QByteArray Chunk(const QByteArray& data) { return QByteArray::number(data.size(), 16) + "\r\n" + data + "\r\n"; }

// One way of answering: the bytes on the wire, the body bytes the client
// can have taken before the hang-up, and whether the answer is whole.
struct Answer {
    const char* what;
    QByteArray wire;
    qint64 bodyBeforeCut;
    bool whole;
};

std::vector<Answer> AnswersOf(const QByteArray& body) {
    const QByteArray chunkedHead = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nTransfer-Encoding: chunked\r\n\r\n";
    const qint64 chunkBytes = body.size() / kChunks;
    QList<QByteArray> chunks;
    for (int i = 0; i < kChunks; ++i) chunks << Chunk(body.mid(i * chunkBytes, chunkBytes));
    const auto first = [&](int count) {
        QByteArray wire = chunkedHead;
        for (int i = 0; i < count; ++i) wire += chunks[i];
        return wire;
    };
    const QByteArray setsOfHalfAChunk = body.mid(5 * chunkBytes, chunkBytes / 2);
    const qint64 cutLength = 6 * chunkBytes;  // at the end of a set
    const QByteArray lengthHead = "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n";
    return {
        {"chunked, no last chunk", first(kChunks), body.size(), false},
        {"chunked, the last chunk without the trailer section's end", first(kChunks) + "0\r\n", body.size(), false},
        {"chunked, a trailer field cut off", first(kChunks) + "0\r\nExpires: 0\r\n", body.size(), false},
        {"chunked, cut between chunks", first(5), 5 * chunkBytes, false},
        {"chunked, cut inside a chunk's data", first(5) + QByteArray::number(chunkBytes, 16) + "\r\n" + setsOfHalfAChunk,
         5 * chunkBytes + setsOfHalfAChunk.size(), false},
        {"chunked, cut inside a chunk's size", first(6) + QByteArray::number(chunkBytes, 16).left(1), 6 * chunkBytes, false},
        {"chunked, a chunk without its line end", first(5) + Chunk(body.mid(5 * chunkBytes, chunkBytes)).chopped(2),
         6 * chunkBytes, false},
        {"Content-Length, cut at the end of a set", lengthHead + body.left(cutLength), cutLength, false},
        {"chunked, whole", first(kChunks) + "0\r\n\r\n", body.size(), true},
        {"chunked, whole with a trailer field", first(kChunks) + "0\r\nExpires: 0\r\n\r\n", body.size(), true},
        {"Content-Length, whole", lengthHead + body, body.size(), true},
    };
}

QSslConfiguration LoopbackTls() {
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    QFile cert(QStringLiteral(AZIMORA_SOURCES_TEST_DATA "/loopback-cert.pem"));
    QFile key(QStringLiteral(AZIMORA_SOURCES_TEST_DATA "/loopback-key.pem"));
    EXPECT_TRUE(cert.open(QIODevice::ReadOnly) && key.open(QIODevice::ReadOnly));
    tls.setLocalCertificate(QSslCertificate(&cert, QSsl::Pem));
    tls.setPrivateKey(QSslKey(&key, QSsl::Rsa, QSsl::Pem));
    return tls;
}

// The loopback certificate trusted by every socket made while it lives, as
// a publisher's is through the system's authorities.
class TrustedLoopback {
public:
    TrustedLoopback() {
        QSslConfiguration trusting = before_;
        trusting.addCaCertificates(QSslCertificate::fromPath(QStringLiteral(AZIMORA_SOURCES_TEST_DATA "/loopback-cert.pem")));
        QSslConfiguration::setDefaultConfiguration(trusting);
    }
    ~TrustedLoopback() { QSslConfiguration::setDefaultConfiguration(before_); }
    TrustedLoopback(const TrustedLoopback&) = delete;
    TrustedLoopback& operator=(const TrustedLoopback&) = delete;

private:
    QSslConfiguration before_ = QSslConfiguration::defaultConfiguration();
};

class DownloadFraming : public ::testing::Test {
protected:
    azimora::testing::TempFolder folder;
    ElementDownload download{folder.Path()};

    // One download of the answer; the server hangs up at once, or when the
    // client has reported the body bytes it was sent.
    bool Run(LoopbackHttpServer& server, const Answer& answer, LoopbackHttpServer::HangUp hangUp) {
        server.RespondRaw(answer.wire, hangUp);
        const auto cutter = QObject::connect(&download, &ElementDownload::progress, [&](qint64 received, qint64) {
            if (received >= answer.bodyBeforeCut) server.Cut();
        });
        QSignalSpy finished(&download, &ElementDownload::finished);
        // Past the publisher's interval, so that it asks again.
        const auto started = download.start(server.Address(), QDateTime::currentDateTimeUtc().addSecs(3 * 3600), 5000);
        EXPECT_EQ(started, ElementDownload::Start::Started) << download.message().toStdString();
        const bool ended = started == ElementDownload::Start::Started && finished.wait(azimora::testing::kEventBoundMs);
        QObject::disconnect(cutter);
        server.Cut();
        EXPECT_TRUE(ended) << answer.what;
        return ended && finished.first().first().toBool();
    }
    QByteArray Kept() const {
        QFile file(QString::fromStdString((folder.Path() / kKeptElementsFile).string()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }

    // Every answer, hung up both ways, rounds times: the tries, and per
    // answer those that kept what they should not, or not what they should.
    int Tries(LoopbackHttpServer& server, int rounds, std::map<std::string, int>& wrong) {
        const QByteArray bodies[] = {Sets("GOES 9 FIRST"), Sets("GOES 9 SECOND")};
        server.Respond(LoopbackHttpServer::Answer::Body, bodies[0]);
        QSignalSpy first(&download, &ElementDownload::finished);
        EXPECT_EQ(download.start(server.Address()), ElementDownload::Start::Started);
        EXPECT_TRUE(first.wait(azimora::testing::kEventBoundMs));
        EXPECT_EQ(Kept(), bodies[0]) << download.message().toStdString();
        int tries = 0;
        for (int round = 0; round < rounds; ++round) {
            for (const auto hangUp : {LoopbackHttpServer::HangUp::AtOnce, LoopbackHttpServer::HangUp::WhenCut}) {
                for (std::size_t i = 0; i < AnswersOf(bodies[0]).size(); ++i) {
                    // Always the body the kept copy is not, so that a replacement shows.
                    const QByteArray before = Kept();
                    const QByteArray& next = before == bodies[0] ? bodies[1] : bodies[0];
                    const Answer answer = AnswersOf(next)[i];
                    const bool kept = Run(server, answer, hangUp);
                    ++tries;
                    const QByteArray after = Kept();
                    if (answer.whole ? kept && after == next : !kept && after == before) {
                        if (!answer.whole) {
                            EXPECT_TRUE(download.message().endsWith(QStringLiteral("nothing was changed.")))
                                << download.message().toStdString();
                        }
                        continue;
                    }
                    ++wrong[std::string(answer.what) + (hangUp == LoopbackHttpServer::HangUp::AtOnce ? ", at once" : ", when cut")];
                    ADD_FAILURE() << answer.what << ": " << download.message().toStdString();
                }
            }
        }
        for (const auto& [what, count] : wrong) std::printf("  %s: %d wrong\n", what.c_str(), count);
        return tries;
    }
};

TEST_F(DownloadFraming, OnlyAWholeAnswerReplacesTheKeptCopy) {
    LoopbackHttpServer server;
    std::map<std::string, int> wrong;
    EXPECT_GE(Tries(server, 12, wrong), 200);
    EXPECT_TRUE(wrong.empty());
}

// The same over HTTPS, where a hang-up also ends the TLS session.
TEST_F(DownloadFraming, OverHttpsAsWell) {
    const QSslConfiguration tls = LoopbackTls();
    LoopbackHttpServer server(&tls);
    const TrustedLoopback trusted;
    std::map<std::string, int> wrong;
    EXPECT_GE(Tries(server, 2, wrong), 40);
    EXPECT_TRUE(wrong.empty());
}

// A certificate no authority of this computer vouches for is refused, and says so.
TEST_F(DownloadFraming, AnUntrustedCertificateIsRefused) {
    const QSslConfiguration tls = LoopbackTls();
    LoopbackHttpServer server(&tls);
    server.Respond(LoopbackHttpServer::Answer::Body, Sets("GOES 9"));
    QSignalSpy finished(&download, &ElementDownload::finished);
    ASSERT_EQ(download.start(server.Address()), ElementDownload::Start::Started);
    ASSERT_TRUE(finished.wait(azimora::testing::kEventBoundMs));
    EXPECT_FALSE(finished.first().first().toBool());
    EXPECT_EQ(download.message().toStdString(),
              "The download from 127.0.0.1 failed: The certificate is self-signed, and untrusted; nothing was changed.");
    EXPECT_EQ(Kept(), "(none)");
}

}  // namespace
}  // namespace azimora::sources
