// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cmath>
#include <cstdio>
#include <functional>

#include "event_bound.h"
#include "paused_window_manager.h"
#include "qt_printers.h"
#include "x_session.h"

// The real program on a real X server: splash, main window, error box, exit.
namespace azimora::desktop {
namespace {

constexpr int kSplashMs = 3000;
// How long a window manager may take to frame, place or close a window.
constexpr int kWindowManagerMs = azimora::testing::kEventBoundMs;

// Polls until condition holds or timeoutMs pass.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer waited;
    waited.start();
    while (!condition()) {
        if (waited.elapsed() > timeoutMs) return false;
        QThread::msleep(20);
    }
    return true;
}

// The program copied into a folder of its own, which is its program folder
// and so holds its data folder.
class Program : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QProcess process;
    QElapsedTimer sinceStart;

    void WriteUserFile(const QString& name, const QByteArray& bytes) {
        QDir(folder.path()).mkpath(QStringLiteral("data"));
        QFile file(folder.filePath(QStringLiteral("data/") + name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void Start() {
        const QString copy = folder.filePath(QStringLiteral("azimora"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(AZIMORA_EXECUTABLE), copy));
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        sinceStart.start();
        process.start(copy, {});
        ASSERT_TRUE(process.waitForStarted());
    }
    void TearDown() override {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    static QString MainWindow() {
        const QStringList ids = VisibleWindows(QStringLiteral("^Azimora 2\\.0$"));
        return ids.isEmpty() ? QString() : ids.first();
    }
    static QStringList Splash() { return VisibleWindows(QStringLiteral("^Azimora$")); }
    // The save question once it is on screen; empty when it did not come.
    static QString SaveQuestion() {
        QString question;
        WaitFor([&] {
            const QStringList boxes = VisibleWindows(QStringLiteral("^Confirm$"));
            if (!boxes.isEmpty()) question = boxes.first();
            return !question.isEmpty();
        }, kWindowManagerMs);
        return question;
    }
    void ExpectCleanExitAfterClosing(const QString& window) {
        ASSERT_TRUE(CloseWindow(window));
        ASSERT_TRUE(process.waitForFinished(kWindowManagerMs)) << "the program did not end";
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
    }
};

// Mean difference per channel between the splash picture and the screen.
double PictureDifference(const QImage& screen, QPoint origin, const QImage& picture, QRect area) {
    double total = 0;
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); y += 3) {
        for (int x = area.left(); x <= area.right(); x += 3) {
            const QColor shown = screen.pixelColor(origin + QPoint(x, y));
            const QColor drawn = picture.pixelColor(x, y);
            total += std::abs(shown.red() - drawn.red()) + std::abs(shown.green() - drawn.green()) +
                     std::abs(shown.blue() - drawn.blue());
            count += 3;
        }
    }
    return total / count;
}

TEST_F(Program, ShowsTheSplashThenTheMainWindowAndEndsCleanly) {
    Start();
    // The splash stands for three seconds from when it is drawn, however
    // long a busy machine takes to start the program.
    QStringList splash;
    ASSERT_TRUE(WaitFor([&] { return !(splash = Splash()).isEmpty(); }, kWindowManagerMs)) << "no splash window";
    ASSERT_EQ(splash.size(), 1);
    EXPECT_TRUE(MainWindow().isEmpty());
    const auto where = WindowGeometry(splash.first());
    ASSERT_TRUE(where.has_value());
    EXPECT_EQ(where->size(), QSize(400, 290));
    EXPECT_TRUE(WindowProperty(splash.first(), "_NET_WM_WINDOW_TYPE").contains("_NET_WM_WINDOW_TYPE_SPLASH"));
    // The picture is on the screen, fully drawn: the dish and the sky.
    const QImage picture(QStringLiteral(AZIMORA_SPLASH_PICTURE));
    ASSERT_FALSE(picture.isNull());
    QImage screen;
    const auto drawn = [&] {
        screen = Screenshot();
        return !screen.isNull() &&
               PictureDifference(screen, where->topLeft(), picture, QRect(5, 5, 180, 140)) < 4.0 &&
               PictureDifference(screen, where->topLeft(), picture, QRect(150, 40, 220, 60)) < 4.0;
    };
    EXPECT_TRUE(WaitFor(drawn, kSplashMs)) << "the splash picture is not on the screen";
    EXPECT_FALSE(Splash().isEmpty()) << "the splash went before its picture was seen";
    ASSERT_FALSE(screen.isNull());
    const QRect screenRect = screen.rect();
    EXPECT_NEAR(where->center().x(), screenRect.center().x(), 1);
    EXPECT_NEAR(where->center().y(), screenRect.center().y(), 1);

    QString window;
    ASSERT_TRUE(WaitFor([&] { return !(window = MainWindow()).isEmpty(); }, kSplashMs + kWindowManagerMs));
    const qint64 shownAfter = sinceStart.elapsed();
    EXPECT_GE(shownAfter, kSplashMs);
    EXPECT_TRUE(WaitFor([] { return Splash().isEmpty(); }, kWindowManagerMs)) << "the splash outlived the start-up";
    std::printf("[ measured ] main window mapped %lld ms after start (%lld ms beyond the splash wait)\n",
                static_cast<long long>(shownAfter), static_cast<long long>(shownAfter - kSplashMs));
    QFile status(QStringLiteral("/proc/%1/status").arg(process.processId()));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM")) std::printf("[ measured ] peak memory %s\n", line.mid(6).trimmed().constData());
    }

    // Its caption exactly; an X11 desktop finds its entry by class (StartupWMClass).
    EXPECT_EQ(WindowProperty(window, "_NET_WM_NAME"), "_NET_WM_NAME(UTF8_STRING) = \"Azimora 2.0\"");
    EXPECT_EQ(WindowProperty(window, "WM_CLASS"), "WM_CLASS(STRING) = \"azimora\", \"azimora\"");
    ExpectCleanExitAfterClosing(window);
}

TEST_F(Program, AHandlerErrorShowsTheBoxTitledWithTheApplicationTitle) {
    WriteUserFile(QStringLiteral("locdata.dat"), "Home\r\n");
    Start();
    QString box;
    ASSERT_TRUE(WaitFor([&] {
        const QStringList boxes = VisibleWindows(QStringLiteral("^Azimora 2003$"));
        if (!boxes.isEmpty()) box = boxes.first();
        return !box.isEmpty();
    }, kSplashMs + kWindowManagerMs)) << "no error box";
    ASSERT_TRUE(CloseWindow(box));
    QString window;
    ASSERT_TRUE(WaitFor([&] { return !(window = MainWindow()).isEmpty(); }, kWindowManagerMs)) << "the window did not open";
    ExpectCleanExitAfterClosing(window);
}

// Under a window manager the outer frame, title bar included, is what
// stands centred on the screen: of the main window and of the save question.
TEST_F(Program, TheMainWindowAndTheSaveQuestionAreCentredByTheirFrames) {
    Start();
    QString window;
    ASSERT_TRUE(WaitFor([&] { return !(window = MainWindow()).isEmpty(); }, kSplashMs + kWindowManagerMs));
    const QImage screen = Screenshot();
    ASSERT_FALSE(screen.isNull());
    const QPoint centre = screen.rect().center();
    std::optional<QRect> frame;
    const auto centred = [&](const QString& id) {
        frame = FrameGeometry(id);
        return frame && std::abs(frame->center().x() - centre.x()) <= 1 && std::abs(frame->center().y() - centre.y()) <= 1;
    };
    ASSERT_TRUE(WaitFor([&] { return FrameGeometry(window).has_value(); }, kWindowManagerMs)) << "no window manager frame";
    EXPECT_TRUE(WaitFor([&] { return centred(window); }, kWindowManagerMs))
        << "frame at " << frame->x() << "," << frame->y() << " " << frame->width() << "x" << frame->height();

    // The "..." beside the satellite name, 600 x 419 client area under the menu bar.
    const auto client = WindowGeometry(window);
    ASSERT_TRUE(client.has_value());
    const int menu = client->height() - 419;
    ASSERT_TRUE(RunTool("xdotool", {"mousemove", "--window", window, "315", QString::number(menu + 25), "click", "1"}));
    const QString question = SaveQuestion();
    ASSERT_FALSE(question.isEmpty()) << "no save question";
    EXPECT_TRUE(WaitFor([&] { return centred(question); }, kWindowManagerMs))
        << "frame at " << frame->x() << "," << frame->y() << " " << frame->width() << "x" << frame->height();
    ASSERT_TRUE(RunTool("xdotool", {"windowfocus", "--sync", question, "key", "Escape"}));
    EXPECT_TRUE(WaitFor([] { return VisibleWindows(QStringLiteral("^Confirm$")).isEmpty(); }, kWindowManagerMs));
    EXPECT_FALSE(QFile::exists(folder.filePath("data/satdata.dat")));
    ExpectCleanExitAfterClosing(window);
}

// A window manager that frames the save question late (a busy machine):
// once it has, the question stands centred all the same.
TEST_F(Program, AQuestionFramedLateIsCentredAllTheSame) {
    Start();
    QString window;
    ASSERT_TRUE(WaitFor([&] { return !(window = MainWindow()).isEmpty(); }, kSplashMs + kWindowManagerMs));
    ASSERT_TRUE(WaitFor([&] { return FrameGeometry(window).has_value(); }, kWindowManagerMs));
    const auto client = WindowGeometry(window);
    ASSERT_TRUE(client.has_value());
    const QPoint centre = Screenshot().rect().center();
    {
        azimora::testing::PausedWindowManager paused;
        ASSERT_TRUE(paused.active()) << "run under with-x-server.sh";
        ASSERT_TRUE(RunTool("xdotool", {"mousemove", "--window", window, "315",
                                        QString::number(client->height() - 419 + 25), "click", "1"}));
        // Longer than a program that gives up on the frame after a second waits.
        QThread::msleep(2500);
    }
    const QString question = SaveQuestion();
    ASSERT_FALSE(question.isEmpty()) << "no save question";
    std::optional<QRect> frame;
    EXPECT_TRUE(WaitFor([&] {
        frame = FrameGeometry(question);
        return frame && std::abs(frame->center().x() - centre.x()) <= 1 && std::abs(frame->center().y() - centre.y()) <= 1;
    }, kWindowManagerMs)) << "frame at " << frame->x() << "," << frame->y() << " " << frame->width() << "x" << frame->height();
    ASSERT_TRUE(RunTool("xdotool", {"windowfocus", "--sync", question, "key", "Escape"}));
    EXPECT_TRUE(WaitFor([] { return VisibleWindows(QStringLiteral("^Confirm$")).isEmpty(); }, kWindowManagerMs));
    ExpectCleanExitAfterClosing(window);
}

}  // namespace
}  // namespace azimora::desktop

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
