// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <optional>

#include "installation/installation_report.h"

class QPainter;

// "Point here": the four numbers an installer sets, large enough to read at
// arm's length on a roof (true azimuth, compass bearing, elevation or the
// inclinometer reading of an offset dish, the LNB's turn), with the LNB seen
// from behind the dish as a clock face, turned by the skew. Drawn by one
// function for the Details window and the sheet; one sentence for a screen
// reader.
namespace azimora::shell {

struct PointHereFigures {
    double azimuth = 0;
    double compassBearing = 0;
    bool compassUnreliable = false;
    double elevation = 0;
    std::optional<double> inclinometer;  // the face tilt of an offset dish
    std::optional<double> skew;          // none: nothing to turn
    QString lnbWords;
};

// nullopt where there is nothing to point at (no site, a satellite out of sight).
[[nodiscard]] std::optional<PointHereFigures> PointHereOf(const InstallationReport& report);

// "Point the dish 171.31 degrees true, 156.84 degrees on a compass, 31.19 degrees up
// (an inclinometer on the face reads 8.89); LNB: turn the LNB 5.5° counter-clockwise, ..."
[[nodiscard]] QString PointHereSentence(const PointHereFigures& figures);

struct PointHereColours {
    QColor text, caption, accent, warning;
};

void PaintPointHere(QPainter& painter, const QRectF& area, const PointHereFigures& figures,
                    const PointHereColours& colours);

// The LNB as seen from behind the dish: a clock face with the LNB's arm
// turned by the skew from twelve o'clock (clockwise positive).
void PaintLnbClock(QPainter& painter, QPointF centre, double radius, double skew, const PointHereColours& colours);

class PointHereWidget final : public QWidget {
    Q_OBJECT

public:
    explicit PointHereWidget(QWidget* parent);
    Q_DISABLE_COPY_MOVE(PointHereWidget)

    void show(const std::optional<PointHereFigures>& figures);
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<PointHereFigures> figures_;
};

}  // namespace azimora::shell
