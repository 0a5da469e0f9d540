// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Download Current Elements against a server on the loopback address: a
// good answer kept with its address and time, and every way a download
// goes wrong leaving the kept copy as it was.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

#include "element_download.h"
#include "formats/kept_elements.h"
#include "loopback_http_server.h"
#include "temp_folder.h"
#include "event_bound.h"

namespace azimora::sources {
namespace {

using azimora::testing::LoopbackHttpServer;

// GOES 9 as CelesTrak's JSON gives it (the OMM example of CCSDS 502.0-B-2).
const QByteArray kGoes9 =
    "[{\"OBJECT_NAME\":\"GOES 9\",\"OBJECT_ID\":\"1995-025A\",\"EPOCH\":\"2007-03-05T10:34:41.426400\","
    "\"MEAN_MOTION\":1.00273272,\"ECCENTRICITY\":0.0005013,\"INCLINATION\":3.0539,\"RA_OF_ASC_NODE\":81.7939,"
    "\"ARG_OF_PERICENTER\":249.2363,\"MEAN_ANOMALY\":150.1602,\"NORAD_CAT_ID\":23581,\"BSTAR\":0.0001}]";
// The same as a two-line set (checksums worked out for it).
const QByteArray kGoes9Tle =
    "GOES 9\n"
    "1 23581U 95025A   07064.44075725 -.00000113  00000-0  10000-3 0  9238\n"
    "2 23581   3.0539  81.7939 0005013 249.2363 150.1602  1.00273272 43989\n";

class Download : public ::testing::Test {
protected:
    azimora::testing::TempFolder folder;
    LoopbackHttpServer server;
    ElementDownload download{folder.Path()};

    // Runs a download to its end; true when it kept a new copy.
    bool Run(int timeoutMs = 5000, const QDateTime& now = QDateTime::currentDateTimeUtc()) {
        QSignalSpy finished(&download, &ElementDownload::finished);
        const auto started = download.start(server.Address(), now, timeoutMs);
        EXPECT_EQ(started, ElementDownload::Start::Started) << download.message().toStdString();
        if (started != ElementDownload::Start::Started) return false;
        EXPECT_TRUE(finished.wait(timeoutMs + azimora::testing::kEventBoundMs)) << "no end";
        return !finished.isEmpty() && finished.first().first().toBool();
    }
    QByteArray Kept() const {
        QFile file(QString::fromStdString((folder.Path() / kKeptElementsFile).string()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }
};

TEST_F(Download, AGoodAnswerIsKeptWithItsAddressAndTime) {
    server.Respond(LoopbackHttpServer::Answer::Body, kGoes9);
    ASSERT_TRUE(Run()) << download.message().toStdString();
    EXPECT_EQ(download.message(), QStringLiteral("Downloaded %1 bytes from 127.0.0.1.").arg(kGoes9.size()));
    EXPECT_EQ(Kept(), kGoes9);
    const auto kept = FindKeptElements(folder.Path());
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->address, server.Address().toString().toStdString());
    EXPECT_NEAR(kept->downloaded, static_cast<double>(QDateTime::currentSecsSinceEpoch()), 5);
}

// CelesTrak asks for the same data no more than once every two hours.
TEST_F(Download, AFreshKeptCopyIsUsedWithoutAsking) {
    server.Respond(LoopbackHttpServer::Answer::Body, kGoes9);
    ASSERT_TRUE(Run());
    ASSERT_EQ(server.Requests(), 1);
    // At once: the kept time, to the second, may read as a moment after now.
    EXPECT_EQ(download.start(server.Address()), ElementDownload::Start::KeptIsFresh) << download.message().toStdString();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    EXPECT_EQ(download.start(server.Address(), now.addSecs(35 * 60)), ElementDownload::Start::KeptIsFresh);
    EXPECT_TRUE(download.message().startsWith(QStringLiteral("The kept copy from this address is 35 min old: fresh enough.")))
        << download.message().toStdString();
    EXPECT_EQ(server.Requests(), 1);
    ASSERT_TRUE(Run(5000, now.addSecs(2 * 3600 + 60)));
    EXPECT_EQ(server.Requests(), 2);
}

TEST_F(Download, EveryFailureLeavesTheKeptCopy) {
    server.Respond(LoopbackHttpServer::Answer::Body, kGoes9);
    ASSERT_TRUE(Run());
    struct Case {
        LoopbackHttpServer::Answer answer;
        QByteArray body;
        int timeoutMs;
        QString message;
    };
    for (const Case& c : {
             Case{LoopbackHttpServer::Answer::NotFound, {}, 5000,
                  QStringLiteral("127.0.0.1 answered HTTP 404 Not Found: check the address; nothing was changed.")},
             Case{LoopbackHttpServer::Answer::Silent, {}, 1000,
                  QStringLiteral("127.0.0.1 did not answer within 1 s; nothing was changed.")},
             Case{LoopbackHttpServer::Answer::Truncated, kGoes9, 5000,
                  QStringLiteral("The download broke off after %1 of %2 bytes; nothing was changed.")
                      .arg(kGoes9.size() / 2)
                      .arg(kGoes9.size())},
             Case{LoopbackHttpServer::Answer::Body, "<html><body>Please log in</body></html>", 5000,
                  QStringLiteral("What 127.0.0.1 sent holds no near-geostationary element sets; nothing was changed.")},
             Case{LoopbackHttpServer::Answer::Body, "[{\"OBJECT_NAME\": ", 5000,
                  QStringLiteral("What 127.0.0.1 sent cannot be read: The file cannot be read as OMM (JSON): line 1: "
                                 "the text ends where a value should be; nothing was changed.")},
         }) {
        server.Respond(c.answer, c.body);
        // Past the publisher's interval, so that it asks again.
        EXPECT_FALSE(Run(c.timeoutMs, QDateTime::currentDateTimeUtc().addSecs(3 * 3600)));
        EXPECT_EQ(download.message(), c.message);
        EXPECT_EQ(Kept(), kGoes9) << c.message.toStdString();
    }
}

// Each message names what happened, not a likely cause of something else.
TEST_F(Download, EachMessageNamesWhatHappened) {
    server.Respond(LoopbackHttpServer::Answer::Body, kGoes9);
    ASSERT_TRUE(Run());
    const auto raw = [](const QByteArray& head, const QByteArray& body) {
        return "HTTP/1.1 200 OK\r\n" + head + "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    };
    struct Case {
        const char* what;
        LoopbackHttpServer::Answer answer;
        QByteArray bytes;
        QString message;
    };
    for (const Case& c : {
             Case{"a redirect back to the address", LoopbackHttpServer::Answer::Redirect,
                  server.Address().toString().toLatin1(),
                  QStringLiteral("127.0.0.1 sent the download round in a loop of redirects (back to %1); nothing was changed.")
                      .arg(server.Address().toString())},
             Case{"a list of no records", LoopbackHttpServer::Answer::Raw, raw({}, "[0,0,0]"),
                  QStringLiteral("What 127.0.0.1 sent holds no near-geostationary element sets (3 skipped, the first: "
                                 "record 1 (line 1): not an object of keywords); nothing was changed.")},
             Case{"compressed though not asked", LoopbackHttpServer::Answer::Raw, raw("Content-Encoding: gzip\r\n", "\x1f\x8b"),
                  QStringLiteral("127.0.0.1 sent the file compressed (gzip) though it was asked for it as it is; nothing "
                                 "was changed.")},
             Case{"no answer at all", LoopbackHttpServer::Answer::Raw, {},
                  QStringLiteral("127.0.0.1 closed the connection without an answer; nothing was changed.")},
             Case{"no HTTP", LoopbackHttpServer::Answer::Raw, "<html>Please log in</html>\r\n",
                  QStringLiteral("127.0.0.1 sent no valid HTTP answer (no HTTP status line: '<html>Please log in</html>'); "
                                 "nothing was changed.")},
             Case{"chunked, no last chunk", LoopbackHttpServer::Answer::Raw,
                  "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" + QByteArray::number(kGoes9.size(), 16) + "\r\n" +
                      kGoes9 + "\r\n",
                  QStringLiteral("The download from 127.0.0.1 broke off: the connection closed after %1 bytes, before the "
                                 "last chunk; nothing was changed.")
                      .arg(kGoes9.size())},
         }) {
        if (c.answer == LoopbackHttpServer::Answer::Raw)
            server.RespondRaw(c.bytes, LoopbackHttpServer::HangUp::AtOnce);
        else
            server.Respond(c.answer, c.bytes);
        EXPECT_FALSE(Run(5000, QDateTime::currentDateTimeUtc().addSecs(3 * 3600))) << c.what;
        EXPECT_EQ(download.message().toStdString(), c.message.toStdString()) << c.what;
        EXPECT_EQ(Kept(), kGoes9) << c.what;
    }
}

// A whole list whose last record lacks a keyword is no list broken off: its
// other records are kept, as the calculator reads them from the same file.
TEST_F(Download, AWholeListWithAFaultyLastRecordIsKept) {
    QByteArray list = kGoes9;
    list.chop(1);  // the closing bracket
    list += ",{\"OBJECT_NAME\":\"NO MOTION\",\"EPOCH\":\"2007-03-05T10:34:41\",\"ECCENTRICITY\":0.0005}]";
    server.Respond(LoopbackHttpServer::Answer::Body, list);
    ASSERT_TRUE(Run()) << download.message().toStdString();
    EXPECT_EQ(Kept(), list);
}

TEST_F(Download, CancelStopsItAndKeepsNothing) {
    server.Respond(LoopbackHttpServer::Answer::Silent);
    QSignalSpy finished(&download, &ElementDownload::finished);
    ASSERT_EQ(download.start(server.Address()), ElementDownload::Start::Started);
    EXPECT_TRUE(download.running());
    QTest::qWait(100);
    download.cancel();
    ASSERT_TRUE(finished.count() > 0 || finished.wait(azimora::testing::kEventBoundMs));
    EXPECT_FALSE(finished.first().first().toBool());
    EXPECT_EQ(download.message(), QStringLiteral("Download cancelled; the kept copy is as it was."));
    EXPECT_FALSE(download.running());
    EXPECT_EQ(Kept(), "(none)");
}

TEST_F(Download, OfflineSaysSo) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const QUrl address(QStringLiteral("http://127.0.0.1:%1/gp.php").arg(closed.serverPort()));
    closed.close();  // nothing listens there any more: as good as offline
    QSignalSpy finished(&download, &ElementDownload::finished);
    ASSERT_EQ(download.start(address), ElementDownload::Start::Started);
    ASSERT_TRUE(finished.wait(azimora::testing::kEventBoundMs));
    EXPECT_TRUE(download.message().startsWith(QStringLiteral("No connection to 127.0.0.1 ("))) << download.message().toStdString();
    EXPECT_TRUE(download.message().endsWith(QStringLiteral("offline? The kept copy, if any, is still offered.")));
}

// A body that stops short, however the server frames it, never replaces a
// kept copy: short of its length, without its last chunk, or with no length
// and cut inside a record (two-line sets here, which no parser refuses whole).
TEST_F(Download, ACutOffBodyNeverReplacesTheKeptCopy) {
    QByteArray sets;  // 101 sets: the half of it ends inside one
    for (int i = 0; i < 101; ++i) sets += kGoes9Tle;
    server.Respond(LoopbackHttpServer::Answer::Body, sets);
    ASSERT_TRUE(Run()) << download.message().toStdString();
    for (const auto answer : {LoopbackHttpServer::Answer::Truncated, LoopbackHttpServer::Answer::ChunkedWithoutEnd,
                              LoopbackHttpServer::Answer::CloseDelimitedHalf}) {
        server.Respond(answer, sets);
        EXPECT_FALSE(Run(20000, QDateTime::currentDateTimeUtc().addSecs(3 * 3600))) << static_cast<int>(answer);
        EXPECT_TRUE(download.message().endsWith(QStringLiteral("nothing was changed."))) << download.message().toStdString();
        EXPECT_EQ(Kept(), sets) << static_cast<int>(answer);
    }
}

// A link planted in the cache folder as the kept copy (or its record) is
// replaced by the download, never written through to what it points at.
TEST_F(Download, ALinkInTheCacheIsReplacedNotWrittenThrough) {
    azimora::testing::TempFolder elsewhere;
    const auto target = elsewhere.Path() / "precious";
    const auto recordTarget = elsewhere.Path() / "precious.info";
    for (const auto& file : {target, recordTarget}) {
        QFile precious(QString::fromStdString(file.string()));
        ASSERT_TRUE(precious.open(QIODevice::WriteOnly));
        precious.write("keep me\n");
    }
    std::filesystem::create_symlink(target, folder.Path() / kKeptElementsFile);
    std::filesystem::create_symlink(recordTarget, folder.Path() / kKeptElementsInfo);
    server.Respond(LoopbackHttpServer::Answer::Body, kGoes9);
    ASSERT_TRUE(Run()) << download.message().toStdString();
    EXPECT_FALSE(std::filesystem::is_symlink(folder.Path() / kKeptElementsFile));
    EXPECT_FALSE(std::filesystem::is_symlink(folder.Path() / kKeptElementsInfo));
    EXPECT_EQ(Kept(), kGoes9);
    for (const auto& file : {target, recordTarget}) {
        QFile precious(QString::fromStdString(file.string()));
        ASSERT_TRUE(precious.open(QIODevice::ReadOnly));
        EXPECT_EQ(precious.readAll(), "keep me\n") << file;
    }
}

// A redirect to plain HTTP elsewhere is refused as the address typed would be.
TEST_F(Download, EveryHopOfARedirectIsCheckedByTheSameRule) {
    server.Respond(LoopbackHttpServer::Answer::Redirect, "http://example.org/gp.php");
    EXPECT_FALSE(Run());
    EXPECT_TRUE(download.message().contains(QStringLiteral("Only https:// addresses are used"))) << download.message().toStdString();
    EXPECT_EQ(Kept(), "(none)");
}

// A body that trickles in, never stalling long enough for the stall's
// time-out, ends at the deadline (a short one here) as a stall does.
TEST_F(Download, ATrickleEndsAtTheDeadline) {
    server.Respond(LoopbackHttpServer::Answer::Trickle);
    QSignalSpy finished(&download, &ElementDownload::finished);
    ASSERT_EQ(download.start(server.Address(), QDateTime::currentDateTimeUtc(), 5000, 1500), ElementDownload::Start::Started);
    ASSERT_TRUE(finished.wait(azimora::testing::kEventBoundMs));
    EXPECT_FALSE(finished.first().first().toBool());
    EXPECT_TRUE(download.message().startsWith(QStringLiteral("The download from 127.0.0.1 did not finish within")))
        << download.message().toStdString();
    EXPECT_EQ(Kept(), "(none)");
}

// Nothing but HTTPS leaves the computer.
TEST(DownloadAddress, OnlyHttpsOrThisComputer) {
    struct Case {
        const char* address;
        bool usable;
    };
    for (const Case& c : {Case{kDefaultElementsAddress, true}, Case{"https://example.org/gp.json", true},
                          Case{"http://127.0.0.1:8080/gp", true}, Case{"http://localhost/gp", true},
                          Case{"http://[::1]:8080/gp", true}, Case{"http://celestrak.org/gp.php", false},
                          Case{"ftp://example.org/gp", false}, Case{"file:///etc/passwd", false},
                          Case{"not an address", false}, Case{"http://127.0.0.1.example.org/gp", false}})
        EXPECT_EQ(AddressProblem(QUrl(QString::fromLatin1(c.address))).isEmpty(), c.usable) << c.address;
}

}  // namespace
}  // namespace azimora::sources
