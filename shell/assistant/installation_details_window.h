// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QFutureWatcher>
#include <QTimer>

#include <functional>

#include "installation/installation_report.h"
#include "placement/tool_window.h"
#include "report/input_rules.h"

class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QScrollArea;

// Installation Details: everything the installer needs for the main
// window's current site and satellite: first the four numbers to set, large,
// then in words and numbers that can be selected and copied the compass,
// skew, tilt, motor, sun, obstacles and the site's time zone. It follows the
// main window live; what is entered here (dish, zone, obstacle marks) is the
// assistant's, shared with the Sky Chart and the sheet.
namespace azimora::shell {

class ObstacleMarksEditor;
class PageLinkBox;
class PointHereWidget;
class SecondSatelliteEditor;
class TfrmKorvel;

class InstallationDetailsWindow final : public ToolWindow {
    Q_OBJECT

public:
    explicit InstallationDetailsWindow(TfrmKorvel& main);
    ~InstallationDetailsWindow() override;
    Q_DISABLE_COPY_MOVE(InstallationDetailsWindow)

    // The clock the day's sun times are taken from; tests set it.
    void setClock(std::function<QDateTime()> clock);
    [[nodiscard]] const InstallationReport& report() const { return report_; }
    [[nodiscard]] QString plainText() const;
    [[nodiscard]] PageLinkBox& pageLink() const { return *pageLink_; }

public slots:
    void refresh();

private:
    QDoubleSpinBox* addSetting(QFormLayout* form, const QString& label, double value, const InputRule& rule,
                               const QString& suffix, double AssistantSettings::*field);
    void fillTimeZones();

    TfrmKorvel& main_;
    QTimer refreshSoon_;
    std::function<QDateTime()> clock_;
    InstallationReport report_;
    QLabel* notice_ = nullptr;
    PointHereWidget* pointHere_ = nullptr;
    SecondSatelliteEditor* second_ = nullptr;
    PageLinkBox* pageLink_ = nullptr;
    QScrollArea* figures_ = nullptr;
    QFormLayout* figuresForm_ = nullptr;
    QList<QPair<QLabel*, QLabel*>> rows_;
    QStringList shape_;  // the rows' sections and labels, as laid out
    QComboBox* zone_ = nullptr;
    QFutureWatcher<void> outageSearch_;
};

}  // namespace azimora::shell
