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
