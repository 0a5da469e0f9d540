// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QGroupBox>

#include <optional>

#include "controller/display_site.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The link that opens the web page on a phone with this site and satellite:
// as text with a Copy button, and as a QR code to scan. The page's address
// is the user's (where they published it), remembered in the settings; until
// one is set, the box says how to publish the page instead of offering a
// link that leads nowhere.
namespace azimora::shell {

struct AssistantSettings;
class QrCodeView;

class PageLinkBox final : public QGroupBox {
    Q_OBJECT

public:
    explicit PageLinkBox(QWidget* parent);
    Q_DISABLE_COPY_MOVE(PageLinkBox)

    void show(const std::optional<DisplaySite>& site, const AssistantSettings& settings);
    // The link shown, empty when there is none.
    [[nodiscard]] QString link() const;
    [[nodiscard]] QLineEdit& address() const { return *address_; }
    [[nodiscard]] const QrCodeView& code() const { return *code_; }
    [[nodiscard]] QString hint() const;

private:
    void update();

    QLineEdit* address_ = nullptr;
    QLabel* hint_ = nullptr;
    QLineEdit* link_ = nullptr;
    QPushButton* copy_ = nullptr;
    QrCodeView* code_ = nullptr;
    std::optional<DisplaySite> site_;
    double dishDiameterMetres_ = 0;
    double frequencyGHz_ = 0;
    double offsetAngle_ = 0;
    std::optional<double> secondSatelliteLongitudeWest_;
};

}  // namespace azimora::shell
