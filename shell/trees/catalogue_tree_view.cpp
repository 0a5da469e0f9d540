// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "trees/catalogue_tree_view.h"

#include <QGuiApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyledItemDelegate>

#include <memory>

#include "trees/catalogue_model.h"
#include "widgets/pixel_frame.h"
#include "widgets/ui_style.h"

namespace azimora::shell {
namespace {

constexpr int kTextMargin = 2;

// Draws items the classic way; the style only draws the branches.
class ClassicItemDelegate final : public QStyledItemDelegate {
public:
    explicit ClassicItemDelegate(QTreeView* view) : QStyledItemDelegate(view), view_(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QString text = index.data(Qt::DisplayRole).toString();
        QFont font = option.font;
        const bool selectedShown = (option.state & QStyle::State_Selected) && view_->hasFocus();
        const bool hot = (option.state & QStyle::State_MouseOver) != 0;
        font.setUnderline(hot);
        const QFontMetrics metrics(font);
        QRect textRect(option.rect.left(), option.rect.top(), metrics.horizontalAdvance(text) + 2 * kTextMargin,
                       option.rect.height());

        painter->save();
        painter->setFont(font);
        QColor textColour = ListingTextColour(option.palette);
        if (selectedShown) {
            painter->fillRect(textRect, option.palette.color(QPalette::Highlight));
            textColour = option.palette.color(QPalette::HighlightedText);
        } else if (hot) {
            textColour = HotItemColour(option.palette);
        }
        painter->setPen(textColour);
        painter->drawText(textRect.adjusted(kTextMargin, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
        // Whenever the view has the focus, by mouse or keyboard alike.
        if (selectedShown) DrawFocusRectangle(*painter, textRect, textColour);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QFontMetrics metrics(option.font);
        return {metrics.horizontalAdvance(index.data().toString()) + 2 * kTextMargin, metrics.height() + 3};
    }

private:
    QTreeView* view_;
};

// The classic 9 x 9 expand button centred on the branch: a square framed
// in the button shadow, white inside (the desktop's window colour), with a
// plus or a minus in the item colour.
void DrawExpandBox(const QStyleOption& option, QPainter& painter) {
    constexpr int kSize = 9;
    const QPoint centre = option.rect.center();
    const QRect box(centre.x() - kSize / 2, centre.y() - kSize / 2, kSize, kSize);
    const QPalette& colours = option.palette;
    painter.fillRect(box, QGuiApplication::palette().color(QPalette::Base));
    DrawFlatFrame(painter, box, ButtonShadow(colours));
    const QColor sign = ListingTextColour(colours);
    painter.fillRect(QRect(box.left() + 2, box.top() + 4, 5, 1), sign);
    if (!(option.state & QStyle::State_Open)) painter.fillRect(QRect(box.left() + 4, box.top() + 2, 1, 5), sign);
}

// The application's style, but tree branches as the classic desktop draws
// them (dotted connecting lines, boxed plus and minus signs) and the
// selection marking the item's text only, never the branch area.
class ClassicBranchStyle final : public QProxyStyle {
public:
    ClassicBranchStyle() : branches_(QStyleFactory::create(QStringLiteral("Windows"))) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ItemView_ShowDecorationSelected) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_IndicatorBranch && branches_ != nullptr) {
            // The lines from the classic style; the box on top, drawn here
            // because that style leaves its inside unfilled.
            QStyleOption lines(*option);
            lines.state &= ~State_Children;
            branches_->drawPrimitive(element, &lines, painter, widget);
            if (option->state & State_Children) DrawExpandBox(*option, *painter);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

private:
    std::unique_ptr<QStyle> branches_;
};

}  // namespace

CatalogueTreeView::CatalogueTreeView(CatalogueModel& model, Options options, QWidget* parent)
    : QTreeView(parent), model_(model) {
    setModel(&model);
    setHeaderHidden(true);
    setFrameShape(QFrame::NoFrame);
    setIndentation(options.indentation);
    setRootIsDecorated(options.linesAndButtons);
    setItemsExpandable(true);
    setExpandsOnDoubleClick(true);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows);
    setUniformRowHeights(true);
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_Hover);
    setItemDelegate(new ClassicItemDelegate(this));  // owned by the view
    auto* style = new ClassicBranchStyle;
    style->setParent(this);  // the view owns its style
    setStyle(style);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, ButtonFace(colours));
    colours.setColor(QPalette::Text, ListingTextColour(colours));
    setPalette(colours);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this](const QItemSelection& selected) {
        if (selected.indexes().isEmpty()) return;
        if (const CatalogueNode* node = model_.NodeAt(selected.indexes().first())) emit nodeSelected(*node);
    });
    // A selection hidden inside a collapsed node moves up to that node, as
    // on the classic desktop, and the handler hears of it.
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& collapsedIndex) {
        for (QModelIndex ancestor = currentIndex().parent(); ancestor.isValid(); ancestor = ancestor.parent()) {
            if (ancestor == collapsedIndex) {
                setCurrentIndex(collapsedIndex);
                return;
            }
        }
    });
}

int CatalogueTreeView::textLeft(const QModelIndex& index) const { return visualRect(index).left() + kTextMargin; }

void CatalogueTreeView::selectNode(const CatalogueNode* node) {
    const QModelIndex index = model_.IndexOf(node);
    setCurrentIndex(index);
    scrollTo(index);
}

void CatalogueTreeView::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    viewport()->update();  // the selection shows only with the focus
}

void CatalogueTreeView::focusOutEvent(QFocusEvent* event) {
    QTreeView::focusOutEvent(event);
    viewport()->update();
}

void CatalogueTreeView::leaveEvent(QEvent* event) {
    QTreeView::leaveEvent(event);
    viewport()->update();  // no item is hot any more
}

}  // namespace azimora::shell
