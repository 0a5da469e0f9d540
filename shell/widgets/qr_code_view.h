// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

// A QR code of a text (libqrencode), for a phone's camera: black modules on
// white with the four-module quiet zone the standard asks for, under a dark
// palette too (readers expect dark on light), each module a whole number of
// device pixels so that no scale factor blurs it.
namespace azimora::shell {

class QrCodeView final : public QWidget {
    Q_OBJECT

public:
    explicit QrCodeView(QWidget* parent = nullptr);

    // An empty text, or one too long for a QR code, shows nothing.
    void setText(const QString& text);
    [[nodiscard]] const QString& text() const { return text_; }
    [[nodiscard]] bool hasCode() const { return !modules_.isNull(); }
    // The symbol with its quiet zone, one pixel a module.
    [[nodiscard]] const QImage& modules() const { return modules_; }

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QImage modules_;
};

}  // namespace azimora::shell
