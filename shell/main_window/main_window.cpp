// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "main_window/main_window.h"

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QMenuBar>

#include <exception>

#include "azimora_version.h"
#include "catalogue/builtin_catalogues.h"
#include "main_window/status_clock.h"
#include "main_window/text_accessibility.h"
#include "main_window/window_parts.h"
#include "trees/catalogue_model.h"
#include "trees/catalogue_tree_view.h"
#include "trees/cut_off_tip.h"
#include "placement/tool_window.h"
#include "placement/window_placement.h"
#include "widgets/edit_box.h"
#include "widgets/ui_style.h"
#include "widgets/vector_state.h"

namespace azimora::shell {
namespace {

constexpr int kListingTop = 107;
constexpr int kListingBottomMargin = 22;  // from the client's bottom edge
constexpr int kSatelliteListingWidth = 280;
constexpr int kLocationListingLeft = 285;

}  // namespace

TfrmKorvel::TfrmKorvel(Dialogs& dialogs, const std::filesystem::path& programFolder, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      satellites_(BuiltInSatelliteCatalogue()),
      locations_(BuiltInLocationCatalogue()),
      controller_(std::make_unique<PointingController>(*satellites_, *locations_, programFolder, dialogs)),
      choosePrinter_(ChoosePrinterWithDialog) {
    RegisterTextAccessibility<ShadowLabel>();
    RegisterTextAccessibility<ClockPane>();
    setObjectName(QStringLiteral("frmKorvel"));
    setWindowTitle(QStringLiteral("Azimora ") + QString::fromLatin1(kVersion));
    setFont(Tahoma(11));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ButtonFace(colours));
    setPalette(colours);

    auto* client = new ClientArea(this, [this](QSize size) { layOutClient(size); });
    client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client);
    buildPanels(client);
    buildMenu();
    wireEvents();
    controller_->SetView(this);

    resize(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());
}

TfrmKorvel::~TfrmKorvel() {
    controller_->SetView(nullptr);
    // The widgets refer to the controller and the models, which are members
    // and would go before the widgets that Qt deletes after this body.
    delete takeCentralWidget();
}

EditBox* TfrmKorvel::makeEditBox(QWidget* parent, const char* name, DisplayField field, QRect geometry,
                                 bool rightAligned) {
    auto* box = new EditBox(QString::fromStdString(controller_->Value(field)), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setFont(Tahoma(11));
    box->setGeometry(geometry);
    if (rightAligned) box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return box;
}

void TfrmKorvel::buildPanels(QWidget* client) {
    const Qt::Edges allSides = Qt::TopEdge | Qt::BottomEdge | Qt::LeftEdge | Qt::RightEdge;
    const Qt::Edges belowAnother = Qt::BottomEdge | Qt::LeftEdge | Qt::RightEdge;
    pnlSatellite_ = MakePanel(client, "pnlSatellite", allSides);
    pnlLocation_ = MakePanel(client, "pnlLocation", belowAnother);
    pnlResults_ = MakePanel(client, "pnlResults", belowAnother);
    rzPanel2_ = MakePanel(client, "RzPanel2", allSides);
    rzPanel3_ = MakePanel(client, "RzPanel3", allSides);
    statusBar_ = new StatusBar(client);
    statusBar_->setObjectName(QStringLiteral("RzStatusBar1"));
    // Stacking order from the bottom, as laid out.
    statusBar_->lower();

    // Satellite information.
    MakeLabel(pnlSatellite_, {"fcLabel14", "Satellite Information:", {4, 2}, Arial(9), {1, 2}});
    MakeLabel(pnlSatellite_, {"fcLabel15", "Name:", {128, 2}, Arial(9), {1, 2}});
    edtSatName_ = makeEditBox(pnlSatellite_, "edtSatName", DisplayField::SatName, {128, 15, 177, 21}, false);
    btnSatSave_ = MakeSaveButton(pnlSatellite_, "btnSatSave", {305, 15, 21, 22});
    MakeLabel(pnlSatellite_, {"fcLabel16", "Sat. Longitude (0 to +360)", {345, 1}, Tahoma(9), {1, 1}, false, {160, 12}});
    edtSatLong_ = makeEditBox(pnlSatellite_, "edtSatLong", DisplayField::SatLong, {344, 15, 65, 21}, true);
    MakeLabel(pnlSatellite_, {"fcLabel17", "degrees", {412, 18}, Tahoma(11), {2, 2}});

    // Location information.
    MakeLabel(pnlLocation_, {"fcLabel3", "Location Information:", {4, 2}, Arial(9), {1, 2}});
    MakeLabel(pnlLocation_, {"fcLabel7", "Name:", {128, 2}, Arial(9), {1, 2}});
    edtLocName_ = makeEditBox(pnlLocation_, "edtLocName", DisplayField::LocName, {128, 14, 177, 21}, false);
    btnLocSave_ = MakeSaveButton(pnlLocation_, "btnLocSave", {305, 14, 21, 22});
    MakeLabel(pnlLocation_, {"fcLabel10", "Loc. Latitude N (+/- 90)", {346, 1}, Tahoma(9), {1, 1}});
    edtNLat_ = makeEditBox(pnlLocation_, "edtNLat", DisplayField::NLat, {344, 15, 65, 21}, true);
    MakeLabel(pnlLocation_, {"fcLabel8", "degrees", {412, 18}, Tahoma(11), {2, 2}});
    MakeLabel(pnlLocation_, {"fcLabel11", "Loc. Longitude W (0 to +360)", {478, 1}, Tahoma(9), {1, 1}});
    edtWLong_ = makeEditBox(pnlLocation_, "edtWLong", DisplayField::WLong, {480, 15, 65, 21}, true);
    MakeLabel(pnlLocation_, {"fcLabel4", "degrees", {548, 18}, Tahoma(11), {2, 2}});

    // Dish pointing results.
    MakeLabel(pnlResults_, {"fcLabel5", "Dish Pointing Results:", {4, 5}, Arial(9, true), {1, 2}});
    MakeLabel(pnlResults_, {"fcLabel6", "Azimuth:", {180, 2}, Tahoma(13), {1, 1}, true});
    edtAzimuth_ = MakeLabel(pnlResults_, {"edtAzimuth", "0.00", {184, 2}, Tahoma(13), {2, 2}, false, {161, 15}});
    MakeLabel(pnlResults_, {"fcLabel12", "Elevation:", {396, 2}, Tahoma(13), {1, 1}, true});
    edtElevation_ = MakeLabel(pnlResults_, {"edtElevation", "0.00", {399, 2}, Tahoma(13), {2, 2}, false, {161, 18}});
    // The answers: tool windows keep off them as off the boxes typed in.
    CountAsBox(*edtAzimuth_);
    CountAsBox(*edtElevation_);

    // The two listings.
    MakeLabel(rzPanel2_, {"fcLabel1", "Satellite Listing:", {4, 2}, Arial(9), {1, 2}});
    satelliteModel_ = std::make_unique<CatalogueModel>(*satellites_);
    tvwSat_ = new CatalogueTreeView(*satelliteModel_, {19, false}, rzPanel2_);
    tvwSat_->setObjectName(QStringLiteral("tvwSat"));
    satelliteTip_ = new CutOffTip(*tvwSat_);
    MakeLabel(rzPanel3_, {"fcLabel2", "Location Listing:", {4, 2}, Arial(9), {1, 2}});
    locationModel_ = std::make_unique<CatalogueModel>(*locations_);
    tvwLoc_ = new CatalogueTreeView(*locationModel_, {15, true}, rzPanel3_);
    tvwLoc_->setObjectName(QStringLiteral("tvwLoc"));

    // Keyboard order; the trees are reached by the mouse only.
    QWidget* order[] = {edtSatName_, btnSatSave_, edtSatLong_, edtLocName_, btnLocSave_, edtNLat_, edtWLong_};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);

    const std::pair<QWidget*, const char*> names[] = {
        {edtSatName_, "Satellite name"}, {edtSatLong_, "Satellite longitude"}, {edtLocName_, "Location name"},
        {edtNLat_, "Latitude"},          {edtWLong_, "Longitude"},             {edtAzimuth_, "Azimuth"},
        {edtElevation_, "Elevation"},    {btnSatSave_, "Save satellite"},      {btnLocSave_, "Save location"},
        {tvwSat_, "Satellite listing"},  {tvwLoc_, "Location listing"},    {&statusBar_->clock(), "Clock"},
    };
    for (const auto& [widget, name] : names) widget->setAccessibleName(QString::fromLatin1(name));
    // What the caption above each coordinate box tells a sighted user.
    const std::pair<QWidget*, const char*> hints[] = {
        {edtSatLong_, "degrees, 0 to +360"},
        {edtNLat_, "degrees north, -90 to +90"},
        {edtWLong_, "degrees west, 0 to +360"},
    };
    for (const auto& [widget, hint] : hints) widget->setAccessibleDescription(QString::fromLatin1(hint));
}

void TfrmKorvel::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    bar->setFont(QApplication::font(bar));  // menus keep the desktop's menu font
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    QAction* print = file->addAction(QStringLiteral("&Print Results"));
    print->setObjectName(QStringLiteral("btnPrint"));
    file->addSeparator()->setObjectName(QStringLiteral("N1"));
    QAction* exit = file->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("btnClose"));
    connect(print, &QAction::triggered, this, [this] { callHandler([this] { controller_->btnPrintClick(); }); });
    connect(exit, &QAction::triggered, this, [this] { callHandler([this] { controller_->btnCloseClick(); }); });
}

void TfrmKorvel::wireEvents() {
    for (const DisplayField field : {DisplayField::SatName, DisplayField::SatLong, DisplayField::LocName,
                                     DisplayField::NLat, DisplayField::WLong}) {
        // The controller owns the texts: every edit goes to it, and for the
        // three coordinates that runs edtNLatChange before the edit returns.
        connect(editBoxFor(field), &QLineEdit::textChanged, this, [this, field](const QString& text) {
            if (writingValue_) return;
            callHandler([&] { controller_->SetValue(field, text.toStdString()); });
        });
    }
    for (EditBox* box : {edtSatName_, edtLocName_}) {
        box->setKeyFilter([this](char32_t& key) { callHandler([&] { controller_->edtSatNameKeyPress(key); }); });
    }
    const std::pair<EditBox*, CoordinateBox> coordinates[] = {
        {edtSatLong_, CoordinateBox::SatLong}, {edtNLat_, CoordinateBox::NLat}, {edtWLong_, CoordinateBox::WLong}};
    for (const auto& [box, which] : coordinates) {
        box->setKeyFilter([this, which = which](char32_t& key) {
            callHandler([&] { controller_->edtNLatKeyPress(which, key); });
        });
    }
    connect(btnSatSave_, &QPushButton::clicked, this, [this] { callHandler([this] { controller_->btnSatSaveClick(); }); });
    connect(btnLocSave_, &QPushButton::clicked, this, [this] { callHandler([this] { controller_->btnLocSaveClick(); }); });
    connect(tvwSat_, &CatalogueTreeView::nodeSelected, this,
            [this](const CatalogueNode& node) { callHandler([&] { controller_->tvwSatChange(node); }); });
    connect(tvwLoc_, &CatalogueTreeView::nodeSelected, this,
            [this](const CatalogueNode& node) { callHandler([&] { controller_->tvwLocChange(node); }); });
}

void TfrmKorvel::callHandler(const std::function<void()>& handler) {
    // Every engine call of the window comes through here: its SSE code runs
    // at full speed whatever vector state Qt's code left behind.
    ClearUpperVectorState();
    RunHandler(dialogs_, handler);
}

void TfrmKorvel::layOutClient(QSize client) {
    const int w = client.width();
    const int h = client.height();
    statusBar_->setGeometry(0, h - StatusBar::kHeight, w, StatusBar::kHeight);
    pnlSatellite_->setGeometry(0, 0, w, 41);
    pnlLocation_->setGeometry(0, 41, w, 41);
    pnlResults_->setGeometry(0, 82, w, 23);
    const int listingHeight = std::max(0, h - kListingBottomMargin - kListingTop);
    rzPanel2_->setGeometry(0, kListingTop, kSatelliteListingWidth, listingHeight);
    rzPanel3_->setGeometry(kLocationListingLeft, kListingTop, std::max(0, w - kLocationListingLeft), listingHeight);
    // Tree margins inside their panels: left, top, right, bottom.
    auto inside = [](const QWidget* panel, int left, int top, int right, int bottom) {
        return QRect(left, top, std::max(0, panel->width() - left - right), std::max(0, panel->height() - top - bottom));
    };
    tvwSat_->setGeometry(inside(rzPanel2_, 5, 16, 7, 3));
    tvwLoc_->setGeometry(inside(rzPanel3_, 6, 16, 7, 5));
}

void TfrmKorvel::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!showing_) {
        showing_ = true;
        CentreFrameOnScreen(*this);
        runFormShow();
    }
}

void TfrmKorvel::runFormShow() {
    // The trees take the appended nodes in one reset; the error box waits
    // until the models are whole again.
    std::exception_ptr error;
    {
        CatalogueModel::BulkAppend satellites(*satelliteModel_);
        CatalogueModel::BulkAppend locations(*locationModel_);
        try {
            controller_->FormShow();
        } catch (...) {
            error = std::current_exception();
        }
    }
    emit displayValuesChanged();  // the satellite catalogue grew
    if (error) callHandler([&] { std::rethrow_exception(error); });
}

bool TfrmKorvel::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !activated_) {
        activated_ = true;
        // The first stop, its text selected so that typing replaces it.
        edtSatName_->setFocus(Qt::TabFocusReason);
        edtSatName_->selectAll();
    }
    return QMainWindow::event(event);
}

void TfrmKorvel::DisplayValueChanged(DisplayField field, const std::string& text) {
    showValue(field, QString::fromStdString(text));
    emit displayValuesChanged();
}

void TfrmKorvel::showValue(DisplayField field, const QString& value) {
    if (field == DisplayField::Azimuth || field == DisplayField::Elevation) {
        (field == DisplayField::Azimuth ? edtAzimuth_ : edtElevation_)->setText(value);
        return;
    }
    EditBox* box = editBoxFor(field);
    if (box->text() == value) return;  // a typed text comes back unchanged; keep the caret
    const bool wasWriting = writingValue_;
    writingValue_ = true;
    box->setText(value);
    writingValue_ = wasWriting;
}

EditBox* TfrmKorvel::editBoxFor(DisplayField field) const {
    switch (field) {
        case DisplayField::SatName: return edtSatName_;
        case DisplayField::SatLong: return edtSatLong_;
        case DisplayField::LocName: return edtLocName_;
        case DisplayField::NLat: return edtNLat_;
        case DisplayField::WLong: return edtWLong_;
        case DisplayField::Azimuth:
        case DisplayField::Elevation: break;
    }
    return nullptr;  // the results are labels
}

void TfrmKorvel::CloseWindow() { close(); }

void TfrmKorvel::PrintReport(const DisplayValues& values) { shell::PrintReport(values, choosePrinter_, this); }

}  // namespace azimora::shell
