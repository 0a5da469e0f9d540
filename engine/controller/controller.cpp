// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "controller/controller.h"

#include <exception>
#include <vector>

#include "errors.h"
#include "lists/userlists.h"
#include "text/number_text.h"

namespace azimora {
namespace {

constexpr std::u32string_view kCoordinateKeys = U"-.0123456789";

bool IsCoordinateField(DisplayField field) {
    return field == DisplayField::SatLong || field == DisplayField::NLat || field == DisplayField::WLong;
}

bool IsNotEntered(const std::string& coordinate) { return coordinate == kNotEnteredText || coordinate.empty(); }

}  // namespace

DisplayField FieldOf(CoordinateBox box) noexcept {
    switch (box) {
        case CoordinateBox::SatLong: return DisplayField::SatLong;
        case CoordinateBox::NLat: return DisplayField::NLat;
        case CoordinateBox::WLong: break;
    }
    return DisplayField::WLong;
}

const std::string& DisplayValues::operator[](DisplayField field) const {
    switch (field) {
        case DisplayField::SatName: return SatName;
        case DisplayField::SatLong: return SatLong;
        case DisplayField::LocName: return LocName;
        case DisplayField::NLat: return NLat;
        case DisplayField::WLong: return WLong;
        case DisplayField::Azimuth: return Azimuth;
        case DisplayField::Elevation: break;
    }
    return Elevation;
}

std::string& DisplayValues::operator[](DisplayField field) {
    return const_cast<std::string&>(static_cast<const DisplayValues&>(*this)[field]);
}

PointingController::PointingController(Catalogue& satellites, Catalogue& locations,
                                       std::filesystem::path programFolder, Dialogs& dialogs)
    : satellites_(satellites), locations_(locations), programFolder_(std::move(programFolder)), dialogs_(dialogs) {}

void PointingController::SetValue(DisplayField field, const std::string& text) {
    std::string& value = values_[field];
    if (value == text) return;
    value = text;
    if (field != DisplayField::Azimuth && field != DisplayField::Elevation) checked_ = CheckSite(values_);
    if (view_ != nullptr) view_->DisplayValueChanged(field, value);
    if (IsCoordinateField(field)) edtNLatChange();
}

void PointingController::FormShow() {
    // Each list loads on its own: a fault in one costs neither the other
    // list nor the rest of its own. Each file's fault is reported once.
    // Whatever stops one (a list too large to hold, no memory left) stops
    // only that one.
    std::vector<std::string> faults;
    std::exception_ptr firstFault;
    const auto loadOnItsOwn = [&](const auto& load) {
        try {
            load();
        } catch (...) {
            for (std::string& message : MessagesOf(std::current_exception())) faults.push_back(std::move(message));
            if (!firstFault) firstFault = std::current_exception();
        }
    };
    loadOnItsOwn([&] { LoadUserLocations(locations_, programFolder_); });
    loadOnItsOwn([&] { LoadUserSatellites(satellites_, programFolder_); });
    if (faults.size() == 1) std::rethrow_exception(firstFault);
    if (!faults.empty()) throw ErrorSeries(std::move(faults));
}

void PointingController::tvwSatChange(const CatalogueNode& node) {
    SetValue(DisplayField::SatLong, node.Data1);
    SetValue(DisplayField::SatName, node.Text);
    SetValue(DisplayField::Azimuth, kNoCalculationText);
    SetValue(DisplayField::Elevation, kNoCalculationText);
    TryCalculate();
}

void PointingController::tvwLocChange(const CatalogueNode& node) {
    SetValue(DisplayField::NLat, node.Data1);
    SetValue(DisplayField::WLong, node.Data2);
    if (const CatalogueNode* parent = node.Parent()) {
        // Case matters here, unlike FindNode.
        SetValue(DisplayField::LocName, parent->Text == "USER DEFINED" ? node.Text : node.Text + ", " + parent->Text);
    }
    SetValue(DisplayField::Azimuth, kNoCalculationText);
    SetValue(DisplayField::Elevation, kNoCalculationText);
    TryCalculate();
}

void PointingController::edtNLatKeyPress(CoordinateBox box, char32_t& key) {
    if (kCoordinateKeys.find(key) == std::u32string_view::npos) {
        key = 0;
        return;
    }
    const DisplayField field = FieldOf(box);
    const std::string& text = values_[field];
    if (key == U'.' && text.find('.') != std::string::npos) {
        key = 0;
        return;
    }
    if (key == U'-') {
        // The sign goes in front once, wherever the caret is.
        key = 0;
        if (text.find('-') == std::string::npos) SetValue(field, "-" + text);
    }
}

void PointingController::edtNLatChange() { TryCalculate(); }

void PointingController::edtSatNameKeyPress(char32_t& key) {
    // "," separates the fields of the user list files.
    if (key == U',') key = 0;
}

bool PointingController::ConfirmSave() { return dialogs_.Confirm(kSaveQuestion) != ConfirmAnswer::No; }

// An entry that could not be read back is refused before the question.
void PointingController::btnSatSaveClick() {
    CheckUserSatellite(values_.SatName, values_.SatLong);
    if (ConfirmSave()) SaveUserSatellite(programFolder_, values_.SatName, values_.SatLong);
}

void PointingController::btnLocSaveClick() {
    CheckUserLocation(values_.LocName, values_.NLat, values_.WLong);
    if (ConfirmSave()) SaveUserLocation(programFolder_, values_.LocName, values_.NLat, values_.WLong);
}

void PointingController::btnCloseClick() {
    if (view_ != nullptr) view_->CloseWindow();
}

void PointingController::btnPrintClick() {
    if (values_.Azimuth == kNoCalculationText || values_.Azimuth == kNotEnteredText) {
        dialogs_.ShowInformation(kPrintReminder);
        return;
    }
    if (view_ != nullptr) view_->PrintReport(values_);
}

void PointingController::TryCalculate() {
    if (IsNotEntered(values_.NLat) || IsNotEntered(values_.WLong)) return;
    inputs_.Latitude = ConvertNumber(values_.NLat);
    inputs_.Longitude = ConvertNumber(values_.WLong);
    inputs_.SatLongitude = ConvertNumber(values_.SatLong);
    inputs_.Height = 0;
    result_ = CalculatePointing(inputs_);
    SetValue(DisplayField::Azimuth, AzimuthText(result_));
    SetValue(DisplayField::Elevation, ElevationText(result_));
}

}  // namespace azimora
