// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Details of the window as a user sees them on a real desktop: focus
// rectangles however the focus came, the selection moving out of a collapsed
// node, the expand boxes, borders at fractional scale factors, a dark
// colour scheme, Qt's own texts in the user's language, screen readers.
#include <QAccessible>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include "app/qt_translations.h"
#include "main_window/status_clock.h"
#include "trees/catalogue_model.h"
#include "trees/catalogue_tree_view.h"
#include "widgets/contrast.h"
#include "widgets/edit_box.h"
#include "widgets/recessed_button.h"
#include "widgets/ui_style.h"
#include "window_fixture.h"

namespace azimora::shell {
namespace {

using testing::WindowTest;

// A widget as the screen shows it, in device pixels.
QImage Shot(QWidget* widget) { return widget->grab().toImage(); }

// One device-independent pixel in whole device pixels, as the borders are drawn.
int OnePixel(const QWidget* widget) { return std::max(1, qRound(widget->devicePixelRatioF())); }

bool Shows(const QImage& image, QPoint pixel, const QColor& colour) { return image.pixel(pixel) == colour.rgb(); }

int CountInColumn(const QImage& image, int x, int fromY, int toY, const QColor& colour) {
    int count = 0;
    for (int y = fromY; y < toY; ++y) count += Shows(image, {x, y}, colour);
    return count;
}

class WindowDetails : public WindowTest {
protected:
    CatalogueTreeView* tvwLoc = nullptr;

    void ShowTrees() {
        ShowWindow();
        tvwLoc = Find<CatalogueTreeView>("tvwLoc");
    }
    QModelIndex Location(const char* text) {
        return tvwLoc->catalogueModel().IndexOf(window->locations().FindNode(text));
    }
    void ClickLocation(const char* text) {
        const QModelIndex index = Location(text);
        tvwLoc->scrollTo(index);
        QTest::mouseClick(tvwLoc->viewport(), Qt::LeftButton, {}, tvwLoc->visualRect(index).center());
    }
    QString Value(DisplayField field) { return QString::fromStdString(window->controller().Value(field)); }
    // The dotted focus rectangle: its left side, in the item's first device column.
    int FocusDots(const QModelIndex& index) {
        const QRect item = tvwLoc->visualRect(index);
        const QImage image = Shot(tvwLoc->viewport());
        const double scale = image.devicePixelRatio();
        return CountInColumn(image, qRound(item.left() * scale), qRound(item.top() * scale),
                             qRound(item.bottom() * scale), tvwLoc->palette().color(QPalette::HighlightedText));
    }
};

TEST_F(WindowDetails, AFocusedTreeShowsTheFocusRectangleHoweverTheFocusCame) {
    ShowTrees();
    tvwLoc->expand(Location("CANADA"));
    ClickLocation("ALBERTA");  // by mouse: no keyboard focus change has happened
    ASSERT_TRUE(tvwLoc->hasFocus());
    const int itemHeight = qRound(tvwLoc->visualRect(Location("ALBERTA")).height() * tvwLoc->devicePixelRatioF());
    EXPECT_GE(FocusDots(Location("ALBERTA")), itemHeight / 3);
    QTest::keyClick(tvwLoc, Qt::Key_Down);
    EXPECT_EQ(FocusDots(Location("ALBERTA")), 0);
    EXPECT_GE(FocusDots(Location("BRITISH COLUMBIA")), itemHeight / 3);
}

TEST_F(WindowDetails, AButtonFocusedByAClickShowsItsFocusRectangle) {
    ShowWindow();
    dialogs.answers = {ConfirmAnswer::No};
    auto* button = Find<RecessedButton>("btnSatSave");
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(button->hasFocus());
    const QImage image = Shot(button);
    const int unit = OnePixel(button);
    const double scale = image.devicePixelRatio();
    // The left side of the rectangle 4 px inside the edges.
    const int dots = CountInColumn(image, qRound(4 * scale), qRound(4 * scale), image.height() - qRound(4 * scale),
                                   button->palette().color(QPalette::ButtonText));
    EXPECT_GE(dots, (image.height() - 8 * unit) / 3);
}

TEST_F(WindowDetails, CollapsingMovesTheSelectionToTheCollapsedNode) {
    ShowTrees();
    tvwLoc->expand(Location("CANADA"));
    tvwLoc->expand(Location("ALBERTA"));
    ClickLocation("Calgary");
    ASSERT_EQ(Value(DisplayField::LocName), "Calgary, ALBERTA");

    tvwLoc->collapse(Location("ALBERTA"));
    EXPECT_EQ(tvwLoc->currentIndex(), Location("ALBERTA"));
    EXPECT_EQ(Value(DisplayField::LocName), "ALBERTA, CANADA");
    EXPECT_EQ(Value(DisplayField::Azimuth), "No Calculation");
    QTest::keyClick(tvwLoc, Qt::Key_Down);
    EXPECT_EQ(Value(DisplayField::LocName), "BRITISH COLUMBIA, CANADA");

    // Two levels up, and by the keyboard.
    tvwLoc->expand(Location("BRITISH COLUMBIA"));
    QTest::keyClick(tvwLoc, Qt::Key_Down);
    ASSERT_EQ(Value(DisplayField::LocName), "Dawson Creek, BRITISH COLUMBIA");
    tvwLoc->setCurrentIndex(Location("CANADA"));
    tvwLoc->setCurrentIndex(Location("Dawson Creek"));
    tvwLoc->collapse(Location("CANADA"));
    EXPECT_EQ(tvwLoc->currentIndex(), Location("CANADA"));

    // Collapsing a node that does not hold the selection changes nothing.
    tvwLoc->expand(Location("CANADA"));
    ClickLocation("ALBERTA");
    tvwLoc->collapse(Location("BRITISH COLUMBIA"));
    EXPECT_EQ(tvwLoc->currentIndex(), Location("ALBERTA"));
}

TEST_F(WindowDetails, ExpandBoxesAreWhiteInside) {
    ShowTrees();
    const QImage image = Shot(tvwLoc->viewport());
    const double scale = image.devicePixelRatio();
    const QRect row = tvwLoc->visualRect(Location("CANADA"));
    // The root's branch area is the indentation left of the text.
    const QPoint box(tvwLoc->indentation() / 2, row.center().y());
    for (const QPoint inside : {box + QPoint(-2, -2), box + QPoint(2, 2), box + QPoint(-3, 3)}) {
        EXPECT_TRUE(Shows(image, {qRound(inside.x() * scale), qRound(inside.y() * scale)}, Qt::white))
            << inside.x() << "," << inside.y();
    }
}

// Run at 1.25, 1.5 and 1.75 as well (ctest: shell.scaled*): each border of
// every edit box is there, one device-independent pixel wide, between the
// panel and the box's white.
TEST_F(WindowDetails, FlatBordersStayClosedAndThinAtEveryScale) {
    ShowWindow();
    const QImage image = Shot(window.get());
    const double scale = image.devicePixelRatio();
    const int unit = OnePixel(window.get());
    for (const char* name : {"edtSatName", "edtSatLong", "edtLocName", "edtNLat", "edtWLong"}) {
        auto* box = Find<EditBox>(name);
        const QColor border = ButtonShadow(box->palette());
        const QRect r(box->mapTo(window.get(), QPoint()), box->size());
        const QPoint middle = r.center();
        struct Side {
            const char* name;
            QPoint outside;  // device pixel just outside the box
            QPoint inward;   // one device pixel step towards the middle
        };
        const int left = qRound(r.left() * scale), right = qRound((r.right() + 1) * scale);
        const int top = qRound(r.top() * scale), bottom = qRound((r.bottom() + 1) * scale);
        const int midX = qRound(middle.x() * scale), midY = qRound(middle.y() * scale);
        for (const Side& side : {Side{"top", {midX, top - 1}, {0, 1}}, Side{"bottom", {midX, bottom}, {0, -1}},
                                 Side{"left", {left - 1, midY}, {1, 0}}, Side{"right", {right, midY}, {-1, 0}}}) {
            QPoint p = side.outside;
            int run = 0;
            for (int step = 0; step < 4 * unit; ++step, p += side.inward) {
                if (Shows(image, p, border)) {
                    ++run;
                } else if (run > 0) {
                    break;
                }
            }
            EXPECT_EQ(run, unit) << name << " " << side.name << " border at scale " << scale;
            EXPECT_TRUE(Shows(image, p, box->palette().color(QPalette::Base))) << name << " " << side.name;
        }
    }
}

TEST_F(WindowDetails, ScreenReadersReadTheClockAndTheCoordinateHints) {
    ShowWindow();
    QAccessibleInterface* clock = QAccessible::queryAccessibleInterface(&window->statusBar().clock());
    ASSERT_NE(clock, nullptr);
    EXPECT_EQ(clock->text(QAccessible::Name), "Clock");
    EXPECT_FALSE(clock->text(QAccessible::Value).isEmpty());
    EXPECT_EQ(clock->text(QAccessible::Value), window->statusBar().clock().text());
    const std::pair<const char*, const char*> hints[] = {{"edtSatLong", "degrees, 0 to +360"},
                                                         {"edtNLat", "degrees north, -90 to +90"},
                                                         {"edtWLong", "degrees west, 0 to +360"}};
    for (const auto& [name, hint] : hints) {
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(Find<QWidget>(name));
        EXPECT_EQ(box->text(QAccessible::Description), hint) << name;
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Find<QWidget>("edtNLat"))->text(QAccessible::Name), "Latitude");
}

// A dark colour scheme, as qt6ct's "darker" gives one.
QPalette DarkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(53, 53, 53));
    dark.setColor(QPalette::WindowText, QColor(220, 220, 220));
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    dark.setColor(QPalette::Text, QColor(220, 220, 220));
    dark.setColor(QPalette::Button, QColor(53, 53, 53));
    dark.setColor(QPalette::ButtonText, QColor(220, 220, 220));
    dark.setColor(QPalette::Light, QColor(80, 80, 80));
    dark.setColor(QPalette::Dark, QColor(48, 47, 46));
    dark.setColor(QPalette::Shadow, QColor(231, 228, 224));  // light, as in qt6ct's "darker"
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    dark.setColor(QPalette::Link, QColor(9, 134, 211));  // too dark to read on the face as it is
    return dark;
}

class DarkWindow : public WindowDetails {
protected:
    QPalette before = QApplication::palette();
    void SetUp() override {
        QApplication::setPalette(DarkPalette());
        WindowDetails::SetUp();
    }
    void TearDown() override {
        WindowDetails::TearDown();
        QApplication::setPalette(before);
    }
    // The strongest contrast between any pixel of the item's text and the face.
    double TextContrast(const char* location) {
        const QImage image = tvwLoc->viewport()->grab(tvwLoc->visualRect(Location(location))).toImage();
        const QColor face = ButtonFace(tvwLoc->palette());
        double best = 1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) best = std::max(best, ContrastRatio(image.pixelColor(x, y), face));
        return best;
    }
};

TEST_F(DarkWindow, ListingsStayReadable) {
    ShowTrees();
    ASSERT_TRUE(HasDarkFace(tvwLoc->palette()));
    EXPECT_GE(TextContrast("CANADA"), 7.0);
    EXPECT_EQ(ListingTextColour(tvwLoc->palette()), QColor(220, 220, 220));
}

TEST_F(DarkWindow, LabelShadowsFallBelowTheFace) {
    ShowWindow();
    const QPalette colours = window->palette();
    EXPECT_LT(LabelShadowColour(colours).lightness(), ButtonFace(colours).lightness());
    EXPECT_GE(ContrastRatio(HotItemColour(colours), ButtonFace(colours)), 4.5);
    // The classic colours stay on a light face.
    const QPalette light = before;
    EXPECT_EQ(ListingTextColour(light), QColor(Qt::black));
    EXPECT_EQ(LabelShadowColour(light), QColor(181, 181, 181));
    EXPECT_EQ(HotItemColour(light), QColor(0, 0, 255));
}

TEST(QtTranslations, QtsOwnTextsFollowTheUsersLanguage) {
    QTranslator* german = InstallQtTranslations(*QCoreApplication::instance(), QLocale(QLocale::German, QLocale::Germany));
    ASSERT_NE(german, nullptr) << "Qt's German translations (qt6-translations-l10n) are needed";
    QMessageBox box(QMessageBox::Critical, "Azimora 2003", "Disk full.", QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "Abbrechen");
    EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), "Drucken");
    QCoreApplication::removeTranslator(german);
    delete german;
    EXPECT_EQ(InstallQtTranslations(*QCoreApplication::instance(), QLocale(QLocale::Zulu)), nullptr);
}

}  // namespace
}  // namespace azimora::shell
