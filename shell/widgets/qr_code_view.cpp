// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "widgets/qr_code_view.h"

#include <QPainter>

#include <cmath>
#include <memory>

#include <qrencode.h>

namespace azimora::shell {
namespace {

constexpr int kQuietZone = 4;        // modules of white around the symbol (ISO/IEC 18004)
constexpr int kSmallestModule = 3;   // logical pixels: a phone reads it from a screen at arm's length
constexpr int kComfortableModule = 4;

QImage Encode(const QString& text) {
    if (text.isEmpty()) return {};
    const QByteArray bytes = text.toUtf8();
    // Level M: a link still reads with a seventh of the symbol smudged.
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(QRcode_encodeString8bit(bytes.constData(), 0, QR_ECLEVEL_M),
                                                                &QRcode_free);
    if (!code) return {};
    const int side = code->width + 2 * kQuietZone;
    QImage image(side, side, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < code->width; ++y) {
        uchar* line = image.scanLine(y + kQuietZone);
        for (int x = 0; x < code->width; ++x)
            if (code->data[y * code->width + x] & 1) line[x + kQuietZone] = 0;  // bit 0: a dark module
    }
    return image;
}

}  // namespace

QrCodeView::QrCodeView(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("QR code of the link"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void QrCodeView::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    modules_ = Encode(text);
    setAccessibleDescription(text);
    updateGeometry();
    update();
}

QSize QrCodeView::sizeHint() const {
    const int side = modules_.isNull() ? 0 : modules_.width() * kComfortableModule;
    return {side, side};
}

QSize QrCodeView::minimumSizeHint() const {
    const int side = modules_.isNull() ? 0 : modules_.width() * kSmallestModule;
    return {side, side};
}

void QrCodeView::paintEvent(QPaintEvent*) {
    if (modules_.isNull()) return;
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    const int deviceSide = static_cast<int>(std::floor(std::min(width(), height()) * ratio));
    const int module = std::max(1, deviceSide / modules_.width());
    QImage scaled = modules_.scaled(modules_.width() * module, modules_.height() * module, Qt::IgnoreAspectRatio,
                                    Qt::FastTransformation);
    scaled.setDevicePixelRatio(ratio);
    // Centred, on a whole device pixel.
    const qreal left = std::floor((width() * ratio - scaled.width()) / 2) / ratio;
    const qreal top = std::floor((height() * ratio - scaled.height()) / 2) / ratio;
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(QPointF(left, top), scaled);
}

}  // namespace azimora::shell
