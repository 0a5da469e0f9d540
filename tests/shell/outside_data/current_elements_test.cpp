// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Import Satellites > Download Current Elements against a server on the
// loopback address: the download read as an element file, the kept copy
// offered at the next start with its age, the publisher's interval kept.
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QTest>

#include "formats/kept_elements.h"
#include "loopback_http_server.h"
#include "settings_file.h"
#include "outside_data/import_satellites_dialog.h"
#include "window_fixture.h"

namespace azimora::shell {
namespace {

using azimora::testing::LoopbackHttpServer;

// Two near-geostationary objects as CelesTrak's JSON gives them, one with a
// catalogue number that two-line sets cannot hold.
QByteArray CurrentElements() {
    const QString epoch = QDateTime::currentDateTimeUtc().addDays(-1).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz"));
    return QStringLiteral(
               "[{\"OBJECT_NAME\":\"TEST GEO 1\",\"NORAD_CAT_ID\":40001,\"EPOCH\":\"%1\",\"MEAN_MOTION\":1.00273791,"
               "\"ECCENTRICITY\":0.0001,\"INCLINATION\":0.02,\"RA_OF_ASC_NODE\":0,\"ARG_OF_PERICENTER\":0,\"MEAN_ANOMALY\":10,"
               "\"BSTAR\":0},\n"
               " {\"OBJECT_NAME\":\"TEST GEO 2\",\"NORAD_CAT_ID\":270001,\"EPOCH\":\"%1\",\"MEAN_MOTION\":1.00273791,"
               "\"ECCENTRICITY\":0.0001,\"INCLINATION\":0.02,\"RA_OF_ASC_NODE\":0,\"ARG_OF_PERICENTER\":0,\"MEAN_ANOMALY\":50,"
               "\"BSTAR\":0}]")
        .arg(epoch)
        .toUtf8();
}

class CurrentElements_ : public testing::WindowTest {
protected:
    azimora::testing::TempFolder cache;
    LoopbackHttpServer server;

    std::unique_ptr<ImportSatellitesDialog> Dialog() {
        auto dialog = std::make_unique<ImportSatellitesDialog>(*window, QString::fromStdString((cache.Path() / "no-tables").string()),
                                                               cache.Path() / "azimora");
        dialog->setAttribute(Qt::WA_DeleteOnClose, false);
        dialog->address().setText(server.Address().toString());
        return dialog;
    }
    static QStringList Names(const ImportSatellitesDialog& dialog) {
        QStringList names;
        for (int row = 0; row < dialog.candidates().rowCount(); ++row)
            names << dialog.candidates().index(row, ImportCandidatesModel::Name).data().toString();
        return names;
    }
};

TEST_F(CurrentElements_, DownloadedReadAndKeptForTheNextOfflineStart) {
    server.Respond(LoopbackHttpServer::Answer::Body, CurrentElements());
    {
        auto dialog = Dialog();
        EXPECT_EQ(dialog->keptText(), QStringLiteral("No download kept yet."));
        QSignalSpy finished(dialog.get(), &ImportSatellitesDialog::finished);
        dialog->downloadCurrentElements(5000);
        EXPECT_TRUE(dialog->busy());
        ASSERT_TRUE(finished.wait(azimora::testing::kEventBoundMs)) << dialog->status().toStdString();
        EXPECT_FALSE(dialog->busy());
        EXPECT_EQ(Names(*dialog), (QStringList{QStringLiteral("TEST GEO 1"), QStringLiteral("TEST GEO 2")}))
            << dialog->status().toStdString();
        EXPECT_TRUE(dialog->keptText().startsWith(QStringLiteral("Kept download of "))) << dialog->keptText().toStdString();
        EXPECT_TRUE(dialog->keptText().endsWith(QStringLiteral(", 0 min old, from 127.0.0.1.")))
            << dialog->keptText().toStdString();
        EXPECT_EQ(server.Requests(), 1);

        // Again at once: the kept copy is fresh, the publisher is not asked.
        finished.clear();
        dialog->downloadCurrentElements(5000);
        ASSERT_TRUE(finished.count() > 0 || finished.wait(azimora::testing::kEventBoundMs));
        EXPECT_EQ(server.Requests(), 1);
        EXPECT_TRUE(dialog->status().startsWith(QStringLiteral("The kept copy from this address is 0 min old: fresh enough.")))
            << dialog->status().toStdString();
        EXPECT_TRUE(dialog->status().endsWith(QStringLiteral("current-elements: 2 near-geostationary objects, at the top; 0 skipped.")))
            << dialog->status().toStdString();
    }
    // The next start, offline: the kept copy is offered with its age.
    server.Respond(LoopbackHttpServer::Answer::NotFound);
    auto offline = Dialog();
    EXPECT_TRUE(offline->keptText().contains(QStringLiteral("0 min old"))) << offline->keptText().toStdString();
    QSignalSpy finished(offline.get(), &ImportSatellitesDialog::finished);
    offline->useKeptCopy();
    ASSERT_TRUE(finished.wait(azimora::testing::kEventBoundMs));
    EXPECT_EQ(Names(*offline).size(), 2);
    EXPECT_EQ(server.Requests(), 1);
}

TEST_F(CurrentElements_, AFailedDownloadSaysWhyAndAddsNothing) {
    server.Respond(LoopbackHttpServer::Answer::NotFound);
    auto dialog = Dialog();
    QSignalSpy finished(dialog.get(), &ImportSatellitesDialog::finished);
    dialog->downloadCurrentElements(5000);
    ASSERT_TRUE(finished.wait(azimora::testing::kEventBoundMs));
    EXPECT_EQ(dialog->status(), QStringLiteral("127.0.0.1 answered HTTP 404 Not Found: check the address; nothing was changed."));
    EXPECT_EQ(dialog->candidates().rowCount(), 0);
    // An address that would leave the computer unencrypted is refused before anything is sent.
    dialog->address().setText(QStringLiteral("http://celestrak.org/NORAD/elements/gp.php?GROUP=geo&FORMAT=json"));
    dialog->downloadCurrentElements(5000);
    EXPECT_TRUE(dialog->status().startsWith(QStringLiteral("Only https:// addresses are used"))) << dialog->status().toStdString();
    EXPECT_EQ(server.Requests(), 1);
}

// A kept copy whose record is a FIFO is there but cannot be used: said so,
// not "No download kept yet.", and not offered.
TEST_F(CurrentElements_, AKeptCopyThatCannotBeUsedSaysWhy) {
    const auto kept = cache.Path() / "azimora";
    std::filesystem::create_directories(kept);
    QFile elements(QString::fromStdString((kept / kKeptElementsFile).string()));
    ASSERT_TRUE(elements.open(QIODevice::WriteOnly));
    elements.write(CurrentElements());
    elements.close();
    ASSERT_EQ(::mkfifo((kept / kKeptElementsInfo).c_str(), 0600), 0);
    auto dialog = Dialog();
    EXPECT_EQ(dialog->keptText().toStdString(),
              "The kept download cannot be used: its record current-elements.info is no regular file (a folder, a FIFO or "
              "a device).");
}

// The address remembered for the next time is the last that worked; a
// failed one stays in the field only.
TEST_F(CurrentElements_, OnlyAnAddressThatWorkedIsRemembered) {
    QFile::remove(sources::SettingsFile());
    server.Respond(LoopbackHttpServer::Answer::Body, CurrentElements());
    {
        auto dialog = Dialog();
        QSignalSpy finished(dialog.get(), &ImportSatellitesDialog::finished);
        dialog->downloadCurrentElements(5000);
        ASSERT_TRUE(finished.wait(azimora::testing::kEventBoundMs)) << dialog->status().toStdString();
    }
    const QString worked = server.Address().toString();
    LoopbackHttpServer broken;
    broken.Respond(LoopbackHttpServer::Answer::NotFound);
    {
        auto dialog = Dialog();
        EXPECT_EQ(dialog->address().text(), worked);
        dialog->address().setText(broken.Address().toString());
        QSignalSpy finished(dialog.get(), &ImportSatellitesDialog::finished);
        dialog->downloadCurrentElements(5000);
        ASSERT_TRUE(finished.wait(azimora::testing::kEventBoundMs));
        EXPECT_EQ(dialog->address().text(), broken.Address().toString());
    }
    std::unique_ptr<ImportSatellitesDialog> next(new ImportSatellitesDialog(
        *window, QString::fromStdString((cache.Path() / "no-tables").string()), cache.Path() / "azimora"));
    EXPECT_EQ(next->address().text(), worked);
}

// A FIFO (or a huge file) where the settings file goes: Import Satellites
// opens at once with the publisher's address, and leaves it alone.
TEST_F(CurrentElements_, ASettingsFileThatIsNoFileIsLeftAlone) {
    const QString file = sources::SettingsFile();
    QDir().mkpath(QFileInfo(file).path());
    QFile::remove(file);
    ASSERT_EQ(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    QString problem;
    EXPECT_EQ(sources::OpenSettings(&problem), nullptr);
    EXPECT_TRUE(problem.endsWith(QStringLiteral("is no settings file (not a regular file of at most 64 KB): it is left alone")));
    ImportSatellitesDialog dialog(*window, QString::fromStdString((cache.Path() / "no-tables").string()), cache.Path() / "azimora");
    EXPECT_EQ(dialog.address().text(), QString::fromLatin1(sources::kDefaultElementsAddress));
    QFile::remove(file);
}

}  // namespace
}  // namespace azimora::shell
