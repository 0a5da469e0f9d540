// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "widgets/contrast.h"

#include <cmath>

namespace azimora::shell {
namespace {

double Linear(double channel) {
    return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

QColor Mixed(const QColor& from, const QColor& to, double share) {
    const auto mix = [share](double a, double b) { return a + (b - a) * share; };
    return QColor::fromRgbF(static_cast<float>(mix(from.redF(), to.redF())),
                            static_cast<float>(mix(from.greenF(), to.greenF())),
                            static_cast<float>(mix(from.blueF(), to.blueF())));
}

}  // namespace

double RelativeLuminance(const QColor& colour) {
    return 0.2126 * Linear(colour.redF()) + 0.7152 * Linear(colour.greenF()) + 0.0722 * Linear(colour.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor WithContrast(const QColor& colour, const QColor& background, double ratio) {
    if (ContrastRatio(colour, background) >= ratio) return colour;
    // Whichever end can reach the ratio from this background: white on dark, black on light.
    const QColor end = ContrastRatio(Qt::white, background) >= ContrastRatio(Qt::black, background) ? QColor(Qt::white)
                                                                                                      : QColor(Qt::black);
    double low = 0, high = 1;
    for (int i = 0; i < 30; ++i) {
        const double middle = (low + high) / 2;
        (ContrastRatio(Mixed(colour, end, middle), background) >= ratio ? high : low) = middle;
    }
    return Mixed(colour, end, high);
}

}  // namespace azimora::shell
