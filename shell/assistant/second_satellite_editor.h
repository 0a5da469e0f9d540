// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QGroupBox>

class QComboBox;
class QDoubleSpinBox;
class QLabel;

// A second satellite on the same dish: chosen from the main window's
// satellite listing or typed as a longitude ("13E", "-13", as in the main
// window west positive), and the dish's focal length. Kept in the
// assistant's session, so the sky chart and the sheet show it too.
namespace azimora::shell {

class AssistantSession;
class TfrmKorvel;

class SecondSatelliteEditor final : public QGroupBox {
    Q_OBJECT

public:
    SecondSatelliteEditor(TfrmKorvel& main, QWidget* parent);
    Q_DISABLE_COPY_MOVE(SecondSatelliteEditor)

    [[nodiscard]] QComboBox& satellite() const { return *satellite_; }
    [[nodiscard]] QDoubleSpinBox& focalLength() const { return *focalLength_; }
    // The satellites of the main window's listing, read again when it grew.
    void fillSatellites();

private:
    void takeSatellite();

    TfrmKorvel& main_;
    QComboBox* satellite_ = nullptr;
    QDoubleSpinBox* focalLength_ = nullptr;
    QLabel* hint_ = nullptr;
    std::size_t listedNodes_ = 0;
};

}  // namespace azimora::shell
