// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QGroupBox>

#include <functional>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QPushButton;

// The site's obstacle marks, entered and removed: a mark is an azimuth (as
// true, or as read on a compass) and the obstacle's top as an elevation, or
// as its height above the dish and its distance. Removing is one key
// (Delete) and one step can be undone. A mark chosen in the list loads into
// the entries; Apply (or Enter in an entry) changes it in place. Shared by
// the windows through the assistant's session.
namespace azimora::shell {

class AssistantSession;

class ObstacleMarksEditor final : public QGroupBox {
    Q_OBJECT

public:
    ObstacleMarksEditor(AssistantSession& session, QWidget* parent);
    Q_DISABLE_COPY_MOVE(ObstacleMarksEditor)

    // The site's magnetic declination (east positive), to turn a compass
    // reading into a true azimuth: asked for at each conversion, so that it
    // is the site's of the moment, never the one before.
    void setDeclination(std::function<double()> declination) { declination_ = std::move(declination); }
    // The mark the entries describe, as a true azimuth and an elevation.
    [[nodiscard]] double trueAzimuth() const;
    [[nodiscard]] double elevation() const;
    void addMark();
    // The chosen mark becomes what the entries say: one step to undo.
    void applyToMark();
    [[nodiscard]] QListWidget& list() const { return *list_; }
    void selectMark(int index);

signals:
    void markSelected(int index);  // -1: none

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshList();
    void showEntryKind();
    void loadMark(int index);

    AssistantSession& session_;
    std::function<double()> declination_ = [] { return 0.0; };
    QDoubleSpinBox* azimuth_ = nullptr;
    QComboBox* azimuthKind_ = nullptr;
    QComboBox* entryKind_ = nullptr;
    QDoubleSpinBox* elevation_ = nullptr;
    QDoubleSpinBox* height_ = nullptr;
    QDoubleSpinBox* distance_ = nullptr;
    QLabel* converted_ = nullptr;
    QListWidget* list_ = nullptr;
    QPushButton* undo_ = nullptr;
    QPushButton* apply_ = nullptr;
    bool refreshing_ = false;  // the list refilled: no mark chosen by the user
};

// How marks join, said once for every window that takes them.
inline constexpr const char* kHowMarksJoin =
    "Marks join in straight lines to the next mark up to 90\u00B0 away round the horizon; a lone mark, or marks "
    "further apart, stand for their own azimuth only. Mark a building by its corners.";

}  // namespace azimora::shell
