// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <memory>

#include "catalogue/catalogue.h"
#include "controller/controller.h"
#include "main_window/report.h"

class QAction;
class QMenu;

// The main window, TfrmKorvel: five edit boxes and two result labels
// showing the controller's display values, the satellite and location trees,
// the File menu and the status-bar clock. It holds no logic: every event
// goes to the controller handler of the same name, through callHandler,
// which shows whatever the handler raises in the error box. The controller
// in turn writes its values back through PointingView.
namespace azimora::shell {

class CatalogueModel;
class CatalogueTreeView;
class CutOffTip;
class EditBox;
class FlatPanel;
class RecessedButton;
class ShadowLabel;
class StatusBar;

class TfrmKorvel final : public QMainWindow, private PointingView {
    Q_OBJECT

public:
    static constexpr QSize kClientSize{600, 419};  // below the menu bar

    TfrmKorvel(Dialogs& dialogs, const std::filesystem::path& programFolder, QWidget* parent = nullptr);
    ~TfrmKorvel() override;
    Q_DISABLE_COPY_MOVE(TfrmKorvel)

    [[nodiscard]] PointingController& controller() const { return *controller_; }
    [[nodiscard]] Catalogue& satellites() const { return *satellites_; }
    [[nodiscard]] Catalogue& locations() const { return *locations_; }
    [[nodiscard]] CutOffTip& satelliteTip() const { return *satelliteTip_; }
    [[nodiscard]] StatusBar& statusBar() const { return *statusBar_; }

    // The print dialog step; tests put a scripted one here.
    void setPrinterChooser(PrinterChooser chooser) { choosePrinter_ = std::move(chooser); }

    // Runs one controller handler; its error, if any, goes to the error box.
    void callHandler(const std::function<void()>& handler);

    [[nodiscard]] Dialogs& dialogs() const { return dialogs_; }

signals:
    // A display value changed, or the catalogues grew: what follows the
    // window (the installation assistant) looks again.
    void displayValuesChanged();

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void DisplayValueChanged(DisplayField field, const std::string& text) override;
    void CloseWindow() override;
    void PrintReport(const DisplayValues& values) override;

    void buildPanels(QWidget* client);
    void buildMenu();
    void wireEvents();
    void layOutClient(QSize client);
    void runFormShow();
    [[nodiscard]] EditBox* editBoxFor(DisplayField field) const;
    void showValue(DisplayField field, const QString& value);
    EditBox* makeEditBox(QWidget* parent, const char* name, DisplayField field, QRect geometry, bool rightAligned);

    Dialogs& dialogs_;
    std::unique_ptr<Catalogue> satellites_;
    std::unique_ptr<Catalogue> locations_;
    std::unique_ptr<PointingController> controller_;
    // The models refer to the catalogues, so they are declared after them.
    std::unique_ptr<CatalogueModel> satelliteModel_;
    std::unique_ptr<CatalogueModel> locationModel_;
    PrinterChooser choosePrinter_;

    // Widgets, owned by their Qt parents.
    FlatPanel* pnlSatellite_ = nullptr;
    FlatPanel* pnlLocation_ = nullptr;
    FlatPanel* pnlResults_ = nullptr;
    FlatPanel* rzPanel2_ = nullptr;
    FlatPanel* rzPanel3_ = nullptr;
    StatusBar* statusBar_ = nullptr;
    EditBox* edtSatName_ = nullptr;
    EditBox* edtSatLong_ = nullptr;
    EditBox* edtLocName_ = nullptr;
    EditBox* edtNLat_ = nullptr;
    EditBox* edtWLong_ = nullptr;
    ShadowLabel* edtAzimuth_ = nullptr;
    ShadowLabel* edtElevation_ = nullptr;
    RecessedButton* btnSatSave_ = nullptr;
    RecessedButton* btnLocSave_ = nullptr;
    CatalogueTreeView* tvwSat_ = nullptr;
    CatalogueTreeView* tvwLoc_ = nullptr;
    CutOffTip* satelliteTip_ = nullptr;

    bool showing_ = false;        // FormShow has run
    bool activated_ = false;      // the window has been active once
    bool writingValue_ = false;   // a value from the controller is being shown
};

}  // namespace azimora::shell
