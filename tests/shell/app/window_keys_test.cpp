// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Every window's keyboard: within one window no two labels, buttons or
// group titles share an Alt+letter (the second could never be reached by
// it; the main window's menu titles count with its own boxes), and every
// Tab stop is a control one can see, with a name a screen reader says.
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>

#include <map>

#include "assistant/installation_details_window.h"
#include "assistant/line_of_sight_export.h"
#include "assistant/sky_chart_window.h"
#include "outside_data/find_location_dialog.h"
#include "outside_data/import_satellites_dialog.h"
#include "outside_data/my_position_dialog.h"
#include "window_fixture.h"

namespace azimora::shell {
namespace {

// The letter after a single '&', lower case; none for "&&" or no '&'.
QChar Mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

// Each letter with the texts that claim it, among what the window shows.
std::map<QChar, QStringList> Claims(QWidget& top) {
    std::map<QChar, QStringList> claims;
    const auto claim = [&](const QString& text) {
        if (const QChar letter = Mnemonic(text); !letter.isNull()) claims[letter].append(text);
    };
    for (QWidget* widget : top.findChildren<QWidget*>()) {
        if (widget->window() != &top || !widget->isVisibleTo(&top)) continue;
        if (auto* label = qobject_cast<QLabel*>(widget)) claim(label->text());
        else if (auto* button = qobject_cast<QAbstractButton*>(widget)) claim(button->text());
        else if (auto* group = qobject_cast<QGroupBox*>(widget)) claim(group->title());
        else if (auto* bar = qobject_cast<QMenuBar*>(widget)) {
            for (QAction* action : bar->actions()) claim(action->text());
        }
    }
    return claims;
}

// The Tab stops of a window, in order, once round.
QList<QWidget*> TabStops(QWidget& top) {
    QList<QWidget*> stops;
    for (QWidget* w = top.nextInFocusChain(); w && w != &top; w = w->nextInFocusChain()) {
        if (w->window() == &top && w->isVisibleTo(&top) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
            stops.append(w);
    }
    return stops;
}

QString Described(QWidget* widget) {
    return QString::fromLatin1(widget->metaObject()->className()) + QStringLiteral(" '") + widget->objectName() +
           QStringLiteral("' under ") +
           (widget->parentWidget() ? QString::fromLatin1(widget->parentWidget()->metaObject()->className()) : QString());
}

class WindowKeys : public testing::WindowTest {
protected:
    struct Case {
        const char* what;
        QWidget* top;
    };
    template <typename Check>
    void ForEveryWindow(Check check) {
        ShowWindow();
        SetSite("Calgary", "51.08", "114.08", "Anik F2", "111.1");
        ToolsMenu& tools = ToolsMenu::Of(*window);
        FindLocationDialog find(*window, QStringLiteral("/nonexistent/Locations.xml"));
        MyPositionDialog position(window.get());
        const Case cases[] = {
            {"the main window", window.get()},
            {"Installation Details", &tools.openDetails()},
            {"Sky Chart", &tools.openSkyChart()},
            {"Import Satellites", &tools.openImport()},
            {"Find Location", &find},
            {"Use My Position", &position},
            {"Export Line of Sight", &tools.openLineOfSight()},
        };
        for (const Case& c : cases) {
            c.top->show();
            QCoreApplication::processEvents();
            check(c);
            c.top->hide();
        }
    }
};

TEST_F(WindowKeys, NoTwoControlsOfAWindowShareAnAltKey) {
    ForEveryWindow([](const Case& c) {
        for (const auto& [letter, texts] : Claims(*c.top))
            EXPECT_EQ(texts.size(), 1) << c.what << ": Alt+" << QString(letter).toStdString() << " for "
                                       << texts.join(QStringLiteral(", ")).toStdString();
    });
}

TEST_F(WindowKeys, EveryTabStopIsSeenAndNamed) {
    ForEveryWindow([](const Case& c) {
        for (QWidget* stop : TabStops(*c.top)) {
            // A spin box's or an editable combo box's own line edit: the box is what is named.
            if (QWidget* box = stop->parentWidget();
                box && (qobject_cast<QAbstractSpinBox*>(box) || qobject_cast<QComboBox*>(box)))
                stop = box;
            EXPECT_FALSE(stop->size().isEmpty()) << c.what << ": an invisible Tab stop, " << Described(stop).toStdString();
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(stop);
            ASSERT_NE(accessible, nullptr) << Described(stop).toStdString();
            // On Linux a combo box's name is its value: what it sets comes from
            // the label it is the buddy of (a "labelled by" relation; the group
            // box around it labels every box in it, and says nothing of this one).
            QString name;
            if (qobject_cast<QComboBox*>(stop)) {
                for (const auto& [label, relation] : accessible->relations(QAccessible::Label)) {
                    if (qobject_cast<QLabel*>(label->object())) name += label->text(QAccessible::Name);
                }
            } else {
                name = accessible->text(QAccessible::Name);
            }
            EXPECT_FALSE(name.trimmed().isEmpty())
                << c.what << ": a Tab stop that says not what it sets, " << Described(stop).toStdString();
            // A check box's own words say what it sets: not a bare "Known:".
            if (qobject_cast<QAbstractButton*>(stop)) {
                EXPECT_FALSE(name.endsWith(u':')) << c.what << ": '" << name.toStdString() << "', " << Described(stop).toStdString();
            }
        }
    });
}

}  // namespace
}  // namespace azimora::shell
