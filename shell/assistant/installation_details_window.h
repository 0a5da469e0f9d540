// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QTimer>
#include <QWidget>

#include <functional>

#include "assistant/installation_report.h"

class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QScrollArea;

// Installation Details: everything the installer needs for the main
// window's current site and satellite, in words and numbers that can be
// selected and copied: compass bearing, skew, tilt, motor, sun, obstacle.
// It follows the main window live; its own entries (offset angle, dish,
// frequency, obstacle) are forgotten when it closes.
namespace azimora::shell {

class TfrmKorvel;

class InstallationDetailsWindow final : public QWidget {
    Q_OBJECT

public:
    explicit InstallationDetailsWindow(TfrmKorvel& main);
    Q_DISABLE_COPY_MOVE(InstallationDetailsWindow)

    // The clock the day's sun times are taken from; tests set it.
    void setClock(std::function<QDateTime()> clock);
    [[nodiscard]] const InstallationReport& report() const { return report_; }
    [[nodiscard]] const AssistantSettings& settings() const { return settings_; }
    [[nodiscard]] QString plainText() const;

public slots:
    void refresh();

private:
    QDoubleSpinBox* addSetting(QFormLayout* form, const QString& label, double value, double low, double high,
                               double step, const QString& suffix);

    TfrmKorvel& main_;
    QTimer refreshSoon_;
    std::function<QDateTime()> clock_;
    AssistantSettings settings_;
    InstallationReport report_;
    QLabel* notice_ = nullptr;
    QScrollArea* figures_ = nullptr;
    QFormLayout* figuresForm_ = nullptr;
    QList<QPair<QLabel*, QLabel*>> rows_;
};

}  // namespace azimora::shell
