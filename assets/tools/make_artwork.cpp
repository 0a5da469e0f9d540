// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Draws Azimora's artwork: the splash picture (400 x 291, 24 bits per pixel),
// the application icon (16, 32 and 48 px, 256 colours) and its larger sizes
// for the desktop's menus (64, 128 and 256 px, full colour) and the phone's
// page (192 and 512 px, and a maskable 512 px one: the globe inside the
// middle 80 % circle that a launcher's mask leaves, on a tile to the edges).
//   make_artwork <output folder>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <cmath>
#include <cstdio>

namespace {

constexpr double kPi = 3.14159265358979323846;

// A streak of light: a soft glow and a bright core along a gentle curve.
void DrawStreak(QPainter& p, QPointF from, QPointF control, QPointF to, QColor colour, double width) {
    QPainterPath path(from);
    path.quadTo(control, to);
    p.setBrush(Qt::NoBrush);
    for (int pass = 5; pass >= 0; --pass) {
        QColor c = pass == 0 ? colour.lighter(150) : colour;
        c.setAlphaF(pass == 0 ? 0.95 : 0.16);
        QLinearGradient fade(from, to);
        QColor clear = c;
        clear.setAlphaF(0);
        fade.setColorAt(0, clear);
        fade.setColorAt(0.35, c);
        fade.setColorAt(0.8, c);
        fade.setColorAt(1, clear);
        p.setPen(QPen(QBrush(fade), pass == 0 ? width * 0.7 : width * pass * 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(path);
    }
}

void DrawStars(QPainter& p, QRandomGenerator& random, int count, QRectF area) {
    for (int i = 0; i < count; ++i) {
        const QPointF at(area.left() + random.bounded(area.width()), area.top() + random.bounded(area.height()));
        QColor c(180 + random.bounded(75), 200 + random.bounded(55), 255);
        c.setAlpha(60 + random.bounded(160));
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        const double r = 0.4 + random.bounded(0.8);
        p.drawEllipse(at, r, r);
    }
}

// The dish: a parabolic reflector seen from below and behind its rim, its
// mouth turned up and to the right, on a mount at the bottom left.
void DrawDish(QPainter& p) {
    p.save();
    // Mount: a post and a base plate.
    QLinearGradient metal(0, 0, 40, 0);
    metal.setColorAt(0, QColor(70, 74, 82));
    metal.setColorAt(0.5, QColor(170, 176, 186));
    metal.setColorAt(1, QColor(60, 64, 72));
    p.setPen(Qt::NoPen);
    p.setBrush(metal);
    p.drawRect(QRectF(86, 215, 18, 80));
    p.setBrush(QColor(45, 48, 55));
    p.drawRect(QRectF(66, 280, 60, 12));
    p.setBrush(QColor(120, 126, 136));
    p.drawEllipse(QPointF(95, 214), 13, 9);

    // The reflector, tilted so that it looks up and to the right.
    p.translate(104, 190);
    p.rotate(38);
    const QRectF rim(-95, -38, 190, 76);
    QPainterPath back;
    back.moveTo(rim.left(), 0);
    back.cubicTo(-80, 78, 80, 78, rim.right(), 0);
    back.arcTo(rim, 0, 180);
    QLinearGradient shell(0, -38, 0, 70);
    shell.setColorAt(0, QColor(205, 210, 220));
    shell.setColorAt(0.6, QColor(120, 126, 138));
    shell.setColorAt(1, QColor(50, 54, 62));
    p.setBrush(shell);
    p.setPen(QPen(QColor(30, 32, 38), 1.2));
    p.drawPath(back);

    // The bowl, lit from the upper left.
    QRadialGradient bowl(QPointF(-30, -12), 120);
    bowl.setColorAt(0, QColor(250, 252, 255));
    bowl.setColorAt(0.45, QColor(200, 208, 222));
    bowl.setColorAt(1, QColor(110, 118, 135));
    p.setBrush(bowl);
    p.setPen(QPen(QColor(235, 240, 250), 2.0));
    p.drawEllipse(rim);
    p.setPen(QPen(QColor(150, 158, 175, 120), 1.0));
    p.setBrush(Qt::NoBrush);
    for (double f : {0.72, 0.45, 0.2}) p.drawEllipse(QRectF(-95 * f, -38 * f, 190 * f, 76 * f));

    // Feed arm and the converter at the focus.
    p.setPen(QPen(QColor(170, 176, 188), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, 30), QPointF(0, -92));
    p.setPen(QPen(QColor(140, 146, 158), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-70, 8), QPointF(0, -88));
    p.drawLine(QPointF(70, 8), QPointF(0, -88));
    p.setPen(QPen(QColor(25, 27, 32), 1));
    QLinearGradient converter(-8, 0, 8, 0);
    converter.setColorAt(0, QColor(90, 95, 105));
    converter.setColorAt(0.5, QColor(230, 234, 240));
    converter.setColorAt(1, QColor(80, 85, 95));
    p.setBrush(converter);
    p.drawRoundedRect(QRectF(-8, -112, 16, 26), 4, 4);
    p.restore();

    // A faint beam from the dish to the sky.
    QLinearGradient beam(170, 120, 300, 20);
    beam.setColorAt(0, QColor(120, 190, 255, 60));
    beam.setColorAt(1, QColor(120, 190, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(beam);
    QPolygonF cone;
    cone << QPointF(165, 118) << QPointF(400, 40) << QPointF(400, 150);
    p.drawPolygon(cone);
}

QImage Splash() {
    QImage image(400, 291, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRandomGenerator random(2003);

    // A deep-blue haze low in the picture.
    QRadialGradient haze(QPointF(120, 300), 260);
    haze.setColorAt(0, QColor(10, 30, 80));
    haze.setColorAt(1, QColor(0, 0, 0));
    p.fillRect(image.rect(), haze);
    DrawStars(p, random, 140, QRectF(0, 0, 400, 291));

    // Streaks of light sweeping across the sky.
    p.setCompositionMode(QPainter::CompositionMode_Screen);
    DrawStreak(p, {-20, 250}, {150, 120}, {420, 40}, QColor(40, 110, 255), 2.2);
    DrawStreak(p, {-30, 200}, {180, 90}, {420, 95}, QColor(70, 160, 255), 1.6);
    DrawStreak(p, {40, 300}, {230, 170}, {430, 150}, QColor(20, 80, 220), 2.8);
    DrawStreak(p, {120, -10}, {250, 60}, {420, 20}, QColor(90, 180, 255), 1.2);
    DrawStreak(p, {-10, 140}, {90, 60}, {260, -10}, QColor(30, 90, 230), 1.4);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);

    DrawDish(p);

    // The wordmark at the upper right, a line above and a subtitle beneath.
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPixelSize(12);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(small);
    p.setPen(QColor(200, 215, 235));
    p.drawText(QRectF(150, 26, 222, 16), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("SATELLITE DISH ALIGNMENT"));

    QFont word(QStringLiteral("Liberation Sans"));
    word.setPixelSize(58);
    word.setBold(true);
    word.setItalic(true);
    QPainterPath wordmark;
    const QFontMetricsF metrics(word);
    const QString name = QStringLiteral("Azimora");
    wordmark.addText(372 - metrics.horizontalAdvance(name), 98, word, name);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 60, 160, 150));
    p.drawPath(wordmark.translated(3, 3));
    QLinearGradient white(0, 50, 0, 100);
    white.setColorAt(0, QColor(255, 255, 255));
    white.setColorAt(1, QColor(200, 220, 245));
    p.setBrush(white);
    p.drawPath(wordmark);

    QFont subtitle(QStringLiteral("Liberation Sans"));
    subtitle.setPixelSize(14);
    subtitle.setBold(true);
    p.setFont(subtitle);
    p.setPen(QColor(120, 190, 255));
    p.drawText(QRectF(100, 116, 272, 20), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("The Satellite Pointing Lookup"));
    p.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

// Land masses for the globe, as outlines on a unit disc seen from the side.
void DrawLand(QPainter& p, double r) {
    const QPolygonF americas({{-0.55, -0.62}, {-0.18, -0.7}, {-0.05, -0.45}, {-0.3, -0.2}, {-0.2, 0.0},
                              {-0.05, 0.25}, {-0.12, 0.62}, {-0.3, 0.72}, {-0.38, 0.35}, {-0.5, 0.05},
                              {-0.72, -0.2}});
    const QPolygonF eurafrica({{0.2, -0.72}, {0.55, -0.62}, {0.75, -0.35}, {0.6, -0.18}, {0.68, 0.1},
                               {0.52, 0.48}, {0.35, 0.6}, {0.22, 0.3}, {0.12, -0.05}, {0.25, -0.3}});
    p.setBrush(QColor(240, 210, 40));
    p.setPen(QPen(QColor(150, 120, 0), std::max(0.5, r / 24)));
    for (const QPolygonF& land : {americas, eurafrica}) {
        QPolygonF scaled;
        for (const QPointF& point : land) scaled << point * r;
        p.drawPolygon(scaled);
    }
}

// The globe: blue sea, yellow land, a hint of meridians; radius r, in the
// middle of a square of size.
void DrawGlobe(QPainter& p, int size, double r) {
    p.save();
    p.translate(size / 2.0, size / 2.0);
    QRadialGradient sea(QPointF(-r * 0.35, -r * 0.35), r * 1.5);
    sea.setColorAt(0, QColor(90, 160, 255));
    sea.setColorAt(1, QColor(0, 40, 150));
    p.setBrush(sea);
    p.setPen(QPen(QColor(0, 20, 90), std::max(0.6, size / 32.0)));
    p.drawEllipse(QPointF(0, 0), r, r);
    QPainterPath disc;
    disc.addEllipse(QPointF(0, 0), r, r);
    p.setClipPath(disc);
    DrawLand(p, r);
    if (size >= 32) {
        p.setPen(QPen(QColor(200, 230, 255, 110), 0.8));
        p.setBrush(Qt::NoBrush);
        for (double f : {0.35, 0.75}) p.drawEllipse(QPointF(0, 0), r * f, r);
        p.drawLine(QPointF(-r, 0), QPointF(r, 0));
    }
    p.restore();
}

QImage Icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The grey tile with a raised edge.
    const QRectF tile(0, 0, size, size);
    p.fillRect(tile, QColor(192, 192, 192));
    const double edge = std::max(1.0, size / 16.0);
    p.fillRect(QRectF(0, 0, size, edge), QColor(240, 240, 240));
    p.fillRect(QRectF(0, 0, edge, size), QColor(240, 240, 240));
    p.fillRect(QRectF(0, size - edge, size, edge), QColor(110, 110, 110));
    p.fillRect(QRectF(size - edge, 0, edge, size), QColor(110, 110, 110));
    DrawGlobe(p, size, size * 0.38);
    p.end();
    // 256 colours, as the desktop's classic icons; the menus' large sizes in full colour.
    if (size > 48) return image;
    return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
}

// For a launcher that cuts its own shape (the Web App Manifest's "maskable"):
// the page's colour to every edge, the globe well inside the safe circle.
QImage MaskableIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(QColor(11, 61, 92));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    DrawGlobe(p, size, size * 0.3);
    p.end();
    return image;
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_artwork <output folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    bool ok = Splash().save(folder + QStringLiteral("/splash.png"));
    for (int size : {16, 32, 48, 64, 128, 192, 256, 512})
        ok = Icon(size).save(folder + QStringLiteral("/icon-%1.png").arg(size)) && ok;
    ok = MaskableIcon(512).save(folder + QStringLiteral("/icon-maskable-512.png")) && ok;
    return ok ? 0 : 1;
}
