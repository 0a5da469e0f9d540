// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Installation Details' link to the web page: how to publish it until an
// address is set, the link for the main window's site and satellite once it
// is, copied whole, and a QR code that a reader (zbarimg, from zbar-tools)
// reads back as the same link, under a dark palette too.
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "assistant/installation_details_window.h"
#include "assistant/page_link_box.h"
#include "widgets/qr_code_view.h"
#include "window_fixture.h"

namespace azimora::shell {
namespace {

// What a QR reader makes of a picture: its text, or why there is none.
QString ReadQrCode(const QImage& picture) {
    const QString reader = QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
    if (reader.isEmpty()) return QStringLiteral("(zbarimg is missing: install zbar-tools)");
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("code.png"));
    if (!picture.save(file)) return QStringLiteral("(the picture could not be saved)");
    QProcess zbar;
    zbar.start(reader, {QStringLiteral("--quiet"), QStringLiteral("--raw"), QStringLiteral("-Sdisable"),
                        QStringLiteral("-Sqrcode.enable"), file});
    if (!zbar.waitForFinished(azimora::testing::kEventBoundMs)) return QStringLiteral("(zbarimg did not finish)");
    return QString::fromUtf8(zbar.readAllStandardOutput()).trimmed();
}

class PageLink : public testing::WindowTest {
protected:
    void TypeAddress(PageLinkBox& box, const QString& address) {
        box.address().setText(address);
        emit box.address().editingFinished();
    }
};

TEST_F(PageLink, WithoutAnAddressItSaysHowToPublishThePage) {
    SetSite("Belfast", "54.597", "5.93", "Astra 1KR", "-19.2");
    InstallationDetailsWindow& details = ToolsMenu::Of(*window).openDetails();
    PageLinkBox& box = details.pageLink();
    EXPECT_TRUE(box.link().isEmpty());
    EXPECT_FALSE(box.code().hasCode());
    EXPECT_TRUE(box.hint().contains(QStringLiteral("/usr/share/azimora/web"))) << box.hint().toStdString();
    EXPECT_TRUE(box.hint().contains(QStringLiteral("HTTPS"))) << box.hint().toStdString();

    const struct {
        const char* address;
        const char* said;
    } bad[] = {
        {"dish.example", "must start with https://"},
        {"http://dish.example/", "only to an https address"},
        {"https://dish.example/#x", "'#'"},
    };
    for (const auto& c : bad) {
        TypeAddress(box, QString::fromLatin1(c.address));
        EXPECT_TRUE(box.link().isEmpty()) << c.address;
        EXPECT_TRUE(box.hint().startsWith(QStringLiteral("This address cannot carry the link:"))) << c.address;
        EXPECT_TRUE(box.hint().contains(QString::fromLatin1(c.said))) << box.hint().toStdString();
    }
}

TEST_F(PageLink, TheLinkOfTheSiteAndSatelliteCopiedAndAsAQrCode) {
    SetSite("Belfast", "54.597", "5.93", "Astra 1KR", "-19.2");
    InstallationDetailsWindow& details = ToolsMenu::Of(*window).openDetails();
    PageLinkBox& box = details.pageLink();
    TypeAddress(box, QStringLiteral("https://dish.example/azimora/"));
    const QString expected = QStringLiteral(
        "https://dish.example/azimora/#lat=54.597N&lon=5.93W&sat=19.2E&dish=0.6&freq=12&offset=22.3");
    EXPECT_EQ(box.link(), expected);
    EXPECT_TRUE(box.hint().isEmpty());

    box.findChild<QPushButton*>(QStringLiteral("copyLink"))->click();
    EXPECT_EQ(QApplication::clipboard()->text(), expected);

    ASSERT_TRUE(box.code().hasCode());
    EXPECT_EQ(ReadQrCode(box.code().modules().scaled(box.code().modules().size() * 4)), expected);

    // The window follows the main window: a new site, a new link and code.
    SetSite("Sydney", "-33.8688", "-151.2093", "Optus D1", "-160");
    QCoreApplication::processEvents();
    const QString sydney = QStringLiteral(
        "https://dish.example/azimora/#lat=33.8688S&lon=151.2093E&sat=160E&dish=0.6&freq=12&offset=22.3");
    EXPECT_EQ(box.link(), sydney);
    EXPECT_EQ(ReadQrCode(box.code().modules().scaled(box.code().modules().size() * 4)), sydney);

    // No satellite chosen: no link.
    window->controller().SetValue(DisplayField::SatLong, "0.00");
    QCoreApplication::processEvents();
    EXPECT_TRUE(box.link().isEmpty());
    EXPECT_TRUE(box.hint().contains(QStringLiteral("needs a site and a satellite"))) << box.hint().toStdString();
}

TEST_F(PageLink, TheAddressIsRememberedOnlyWhenItCanCarryTheLink) {
    {
        InstallationDetailsWindow& details = ToolsMenu::Of(*window).openDetails();
        TypeAddress(details.pageLink(), QStringLiteral("https://dish.example/"));
        TypeAddress(details.pageLink(), QStringLiteral("http://dish.example/"));  // refused: not kept
        details.close();
    }
    window.reset();
    SetUp();
    InstallationDetailsWindow& again = ToolsMenu::Of(*window).openDetails();
    EXPECT_EQ(again.pageLink().address().text(), QStringLiteral("https://dish.example/"));
    TypeAddress(again.pageLink(), QString());  // cleared: forgotten
    window.reset();
    SetUp();
    EXPECT_TRUE(ToolsMenu::Of(*window).openDetails().pageLink().address().text().isEmpty());
}

// Readers expect dark modules on light: the code is drawn so under a dark
// palette too, and what the screen shows reads back.
TEST_F(PageLink, TheCodeOnScreenReadsBackUnderADarkPalette) {
    QrCodeView view;
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::WindowText, Qt::white);
    view.setPalette(dark);
    const QString text = QStringLiteral("https://dish.example/#lat=0&lon=180W&sat=180W&dish=0.6&freq=12&offset=22.3");
    view.setText(text);
    view.resize(view.sizeHint());
    const QImage shown = view.grab().toImage();
    EXPECT_EQ(shown.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_EQ(ReadQrCode(shown), text);
    view.setText(QString());
    EXPECT_FALSE(view.hasCode());
    EXPECT_EQ(view.sizeHint(), QSize(0, 0));
}

}  // namespace
}  // namespace azimora::shell

namespace azimora::shell {
namespace {

// The box grows when the link and its code appear: the scrolled page that
// holds it grows with it, so that scrolling reaches the code's last row.
TEST_F(PageLink, TheCodeFitsInTheScrolledPage) {
    SetSite("Belfast", "54.597", "5.93", "Astra 1KR", "-19.2");
    InstallationDetailsWindow& details = ToolsMenu::Of(*window).openDetails();
    details.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&details, azimora::testing::kEventBoundMs));
    PageLinkBox& box = details.pageLink();
    TypeAddress(box, QStringLiteral("https://dish.example/azimora/"));
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    const QWidget& code = box.code();
    ASSERT_TRUE(code.isVisible());
    const QRect inPage(code.mapTo(box.parentWidget(), QPoint(0, 0)), code.size());
    EXPECT_GE(code.height(), code.minimumSizeHint().height());
    EXPECT_LE(inPage.bottom(), box.parentWidget()->height()) << "the page is " << box.parentWidget()->height();
    EXPECT_LE(QRect(box.pos(), box.size()).bottom(), box.parentWidget()->height());
}

}  // namespace
}  // namespace azimora::shell
