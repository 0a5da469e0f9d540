// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <QImage>
#include <QLabel>
#include <QScrollBar>

#include "geometry/pointing.h"
#include "lists/userlists.h"
#include "trees/catalogue_model.h"
#include "trees/catalogue_tree_view.h"
#include "trees/cut_off_tip.h"
#include "widgets/edit_box.h"
#include "window_fixture.h"

namespace azimora::shell {
namespace {

using testing::WindowTest;

class TreeViews : public WindowTest {
protected:
    CatalogueTreeView* tvwSat = nullptr;
    CatalogueTreeView* tvwLoc = nullptr;

    void ShowTrees() {
        ShowWindow();
        tvwSat = Find<CatalogueTreeView>("tvwSat");
        tvwLoc = Find<CatalogueTreeView>("tvwLoc");
    }
    QModelIndex IndexOf(CatalogueTreeView* view, const char* text) {
        const Catalogue& catalogue = view == tvwSat ? window->satellites() : window->locations();
        return view->catalogueModel().IndexOf(catalogue.FindNode(text));
    }
    QPoint CentreOf(CatalogueTreeView* view, const QModelIndex& index) {
        view->scrollTo(index);
        return view->visualRect(index).center();
    }
    void Click(CatalogueTreeView* view, const char* text) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, CentreOf(view, IndexOf(view, text)));
    }
    QString Value(DisplayField field) { return QString::fromStdString(window->controller().Value(field)); }
    // How many pixels of the highlight colour the item's row shows.
    int HighlightPixels(CatalogueTreeView* view, const QModelIndex& index) {
        const QImage image = view->viewport()->grab(view->visualRect(index)).toImage();
        const QRgb highlight = view->palette().color(QPalette::Highlight).rgb();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == highlight;
        return count;
    }
};

TEST_F(TreeViews, StartCollapsedInCatalogueOrder) {
    ShowTrees();
    EXPECT_EQ(tvwSat->model()->rowCount(), 101);
    EXPECT_EQ(tvwLoc->model()->rowCount(), 6);
    for (int row = 0; row < 6; ++row) EXPECT_FALSE(tvwLoc->isExpanded(tvwLoc->model()->index(row, 0)));
    EXPECT_EQ(tvwSat->indentation(), 19);
    EXPECT_EQ(tvwLoc->indentation(), 15);
    EXPECT_TRUE(tvwLoc->rootIsDecorated());
    EXPECT_FALSE(tvwSat->rootIsDecorated());
    EXPECT_EQ(tvwSat->focusPolicy(), Qt::ClickFocus);
    EXPECT_EQ(tvwSat->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(TreeViews, MouseAndKeyboardChooseItems) {
    ShowTrees();
    Click(tvwSat, "AfriStar");
    EXPECT_TRUE(tvwSat->hasFocus());
    EXPECT_EQ(Value(DisplayField::SatName), "AfriStar");
    QTest::keyClick(tvwSat, Qt::Key_Down);
    EXPECT_EQ(Value(DisplayField::SatName), "Amos 1");
    EXPECT_EQ(Value(DisplayField::SatLong), "4");

    Click(tvwLoc, "CANADA");
    EXPECT_EQ(Value(DisplayField::NLat), "");
    QTest::keyClick(tvwLoc, Qt::Key_Right);  // expands
    QTest::keyClick(tvwLoc, Qt::Key_Down);
    EXPECT_EQ(Value(DisplayField::LocName), "ALBERTA, CANADA");
    QTest::keyClick(tvwLoc, Qt::Key_Right);
    QTest::keyClick(tvwLoc, Qt::Key_Down);
    EXPECT_EQ(Value(DisplayField::LocName), "Calgary, ALBERTA");
    EXPECT_EQ(Value(DisplayField::Azimuth).toStdString(), AzimuthText(CalculatePointing({51.08L, 114.08L, 4, 0})));
}

TEST_F(TreeViews, DoubleClickTogglesExpansion) {
    ShowTrees();
    const QModelIndex canada = IndexOf(tvwLoc, "CANADA");
    const QPoint at = CentreOf(tvwLoc, canada);
    // As the desktop delivers it: a click, then a press that is a double click.
    auto doubleClick = [&] {
        QTest::mouseClick(tvwLoc->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tvwLoc->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(tvwLoc->viewport(), Qt::LeftButton, {}, at);
    };
    doubleClick();
    EXPECT_TRUE(tvwLoc->isExpanded(canada));
    doubleClick();
    EXPECT_FALSE(tvwLoc->isExpanded(canada));
}

TEST_F(TreeViews, SelectionShowsOnlyWhileTheViewHasTheFocus) {
    ShowTrees();
    Click(tvwSat, "Amos 1");
    const QModelIndex amos = IndexOf(tvwSat, "Amos 1");
    EXPECT_GT(HighlightPixels(tvwSat, amos), 20);
    Find<EditBox>("edtNLat")->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(HighlightPixels(tvwSat, amos), 0);
    // Clicking the selected item again shows it and raises no change.
    window->controller().SetValue(DisplayField::SatName, "edited");
    Click(tvwSat, "Amos 1");
    EXPECT_GT(HighlightPixels(tvwSat, amos), 20);
    EXPECT_EQ(Value(DisplayField::SatName), "edited");
}

TEST_F(TreeViews, TheItemUnderThePointerIsHot) {
    ShowTrees();
    const QModelIndex index = IndexOf(tvwSat, "Amos 1");
    QTest::mouseMove(tvwSat->viewport(), CentreOf(tvwSat, index));
    QHoverEvent hover(QEvent::HoverMove, CentreOf(tvwSat, index), tvwSat->viewport()->mapToGlobal(CentreOf(tvwSat, index)),
                      QPoint(-1, -1));
    QApplication::sendEvent(tvwSat->viewport(), &hover);
    const QImage image = tvwSat->viewport()->grab(tvwSat->visualRect(index)).toImage();
    int blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) blue += image.pixel(x, y) == QColor(0, 0, 255).rgb();
    EXPECT_GT(blue, 10);
}

class CutOffTips : public TreeViews {
protected:
    static constexpr const char* kLongName =
        "A satellite with a name far too long for the listing to show";

    void SetUp() override {
        azimora::testing::WriteFile(UserSatelliteFile(folder.Path()), std::string(kLongName) + ",1\r\nShort,2\r\n");
        TreeViews::SetUp();
        ShowTrees();
        tip = &window->satelliteTip();
        tip->setPointerSource([this] { return pointer; });
        tip->watcher().stop();
    }
    void PointAt(const char* text) {
        const QPoint local = CentreOf(tvwSat, IndexOf(tvwSat, text));
        pointer = tvwSat->viewport()->mapToGlobal(local);
        tip->pointerMoved(local);
    }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) tip->watcherTick();
    }

    CutOffTip* tip = nullptr;
    QPoint pointer;
};

TEST_F(CutOffTips, OnlyCutOffNamesOpenATipOverTheItem) {
    PointAt("AfriStar");
    EXPECT_FALSE(tip->isTipShown());
    PointAt((std::string("USER: ") + kLongName).c_str());
    ASSERT_TRUE(tip->isTipShown());
    EXPECT_EQ(tip->tipWindow()->text(), QString("USER: ") + kLongName);
    const QModelIndex index = IndexOf(tvwSat, (std::string("USER: ") + kLongName).c_str());
    const QPoint itemText = tvwSat->viewport()->mapToGlobal(QPoint(tvwSat->textLeft(index), 0));
    EXPECT_EQ(tip->tipWindow()->geometry().left(), itemText.x() - 1);
    const QFontMetrics metrics(tvwSat->font());
    EXPECT_EQ(tip->tipWindow()->width(), metrics.horizontalAdvance(tip->tipWindow()->text()) + 6);
    EXPECT_EQ(tip->tipWindow()->height(), metrics.height() + 2);
    EXPECT_TRUE(tip->tipWindow()->windowFlags() & Qt::WindowTransparentForInput);  // clicks reach the item
    EXPECT_TRUE(tip->watcher().isActive());
    EXPECT_EQ(tip->watcher().interval(), 250);
    // Moving to another item closes it.
    PointAt("Short");
    EXPECT_FALSE(tip->isTipShown());
}

TEST_F(CutOffTips, CloseOnTheSeventeenthTickAndStayClosedUntilAnotherItem) {
    const std::string longItem = std::string("USER: ") + kLongName;
    PointAt(longItem.c_str());
    Ticks(16);
    EXPECT_TRUE(tip->isTipShown());
    Ticks(1);
    EXPECT_FALSE(tip->isTipShown());
    PointAt(longItem.c_str());  // still the last one tipped
    EXPECT_FALSE(tip->isTipShown());
    PointAt("Short");
    PointAt(longItem.c_str());
    EXPECT_TRUE(tip->isTipShown());
}

TEST_F(CutOffTips, LeavingTheViewClosesAtTheNextTickAndForgets) {
    const std::string longItem = std::string("USER: ") + kLongName;
    PointAt(longItem.c_str());
    Ticks(3);
    pointer = tvwSat->viewport()->mapToGlobal(QPoint(-20, -20));
    Ticks(1);
    EXPECT_FALSE(tip->isTipShown());
    PointAt(longItem.c_str());
    EXPECT_TRUE(tip->isTipShown());
}

TEST_F(CutOffTips, TheLocationListingHasNone) {
    EXPECT_EQ(tvwLoc->findChild<CutOffTip*>(), nullptr);
    EXPECT_NE(tvwSat->findChild<CutOffTip*>(), nullptr);
}

}  // namespace
}  // namespace azimora::shell
