// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "catalogue/catalogue.h"
#include "controller/dialogs.h"
#include "controller/display_site.h"
#include "controller/window_texts.h"
#include "geometry/pointing.h"

// The logic of the main window, free of any widget toolkit.
//
// The controller owns the seven texts the window shows. The window forwards
// every event to the handler of the same name (tvwLocChange, edtNLatKeyPress,
// ...) and mirrors the texts through PointingView. Writing a coordinate text
// (typed or set here) runs edtNLatChange, hence TryCalculate, before the
// write returns: convert the three coordinates, CalculatePointing, and show
// the azimuth and elevation texts. "0.00" in a location coordinate means
// "not entered yet" and calculates nothing.
//
// Handlers raise errors as exceptions and stop where they occur; the caller
// runs them through RunHandler (dialogs.h), which shows the error box.
namespace azimora {

// The three boxes that take numbers: edtSatLong, edtNLat, edtWLong.
enum class CoordinateBox { SatLong, NLat, WLong };
[[nodiscard]] DisplayField FieldOf(CoordinateBox box) noexcept;

// What the controller needs of its window.
class PointingView {
public:
    // A display value now holds text; show it.
    virtual void DisplayValueChanged(DisplayField field, const std::string& text) = 0;
    // Close the main window, which ends the program.
    virtual void CloseWindow() = 0;
    // Print the report of these values: the print dialog, then the page.
    virtual void PrintReport(const DisplayValues& values) = 0;

protected:
    ~PointingView() = default;
};

class PointingController final {
public:
    PointingController(Catalogue& satellites, Catalogue& locations, std::filesystem::path programFolder,
                       Dialogs& dialogs);
    PointingController(const PointingController&) = delete;
    PointingController& operator=(const PointingController&) = delete;

    void SetView(PointingView* view) noexcept { view_ = view; }

    [[nodiscard]] const DisplayValues& Values() const noexcept { return values_; }
    // The site and satellite the texts describe, read once at each change:
    // what the windows that follow the main window show figures for.
    [[nodiscard]] const CheckedSite& Checked() const noexcept { return checked_; }
    [[nodiscard]] const std::string& Value(DisplayField field) const { return values_[field]; }
    // The same text changes nothing; a new coordinate text runs edtNLatChange.
    void SetValue(DisplayField field, const std::string& text);

    [[nodiscard]] const PointingInputs& Inputs() const noexcept { return inputs_; }
    // The folder that holds the user's lists (its "data" folder).
    [[nodiscard]] const std::filesystem::path& ListsFolder() const noexcept { return programFolder_; }
    [[nodiscard]] const PointingResult& Result() const noexcept { return result_; }

    // Handlers, named after the window's events.
    void FormShow();
    void tvwSatChange(const CatalogueNode& node);
    void tvwLocChange(const CatalogueNode& node);
    // key is the typed character; set to 0 when discarded.
    void edtNLatKeyPress(CoordinateBox box, char32_t& key);
    void edtNLatChange();
    void edtSatNameKeyPress(char32_t& key);
    void btnSatSaveClick();
    void btnLocSaveClick();
    void btnCloseClick();
    void btnPrintClick();

private:
    void TryCalculate();
    [[nodiscard]] bool ConfirmSave();

    Catalogue& satellites_;
    Catalogue& locations_;
    std::filesystem::path programFolder_;
    Dialogs& dialogs_;
    PointingView* view_ = nullptr;

    DisplayValues values_;
    CheckedSite checked_;
    PointingInputs inputs_;
    PointingResult result_;
};

}  // namespace azimora
