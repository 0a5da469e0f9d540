// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "qt_printers.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include "widgets/edit_box.h"
#include "event_bound.h"

namespace azimora::shell {
namespace {

TEST(TypedCharacter, ControlCharactersAsTheDesktopReportsThem) {
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        char32_t typed;
    };
    for (const Case& c : {
             Case{Qt::Key_5, Qt::NoModifier, "5", U'5'},
             Case{Qt::Key_Minus, Qt::NoModifier, "-", U'-'},
             Case{Qt::Key_Backspace, Qt::NoModifier, "", 8},  // QTest sends no text here
             Case{Qt::Key_Backspace, Qt::NoModifier, "\b", 8},
             Case{Qt::Key_V, Qt::ControlModifier, "v", 22},   // QTest's Ctrl+V
             Case{Qt::Key_V, Qt::ControlModifier, "\x16", 22},
             Case{Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier, "", 1},
             Case{Qt::Key_Return, Qt::NoModifier, "\r", 13},
             Case{Qt::Key_Delete, Qt::NoModifier, "\x7f", 0},  // deletes, types nothing
             Case{Qt::Key_Left, Qt::NoModifier, "", 0},
             Case{Qt::Key_Tab, Qt::NoModifier, "\t", 0},
             Case{Qt::Key_E, Qt::ShiftModifier, "E", U'E'},
             Case{Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("\xF0\x9F\x9B\xB0"), U'\U0001F6F0'},
         }) {
        const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, c.text);
        EXPECT_EQ(EditBox::TypedCharacter(event), c.typed) << c.key << " " << c.text.toStdString();
    }
}

TEST(EditBoxFilter, SeesEveryCharacterBeforeTheBoxActs) {
    EditBox box("12.5", nullptr);
    std::u32string seen;
    box.setKeyFilter([&](char32_t& key) {
        seen += key;
        if (key == U'x' || key == 8) key = 0;
    });
    box.setFocus();
    box.end(false);
    QTest::keyClicks(&box, "3x");
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClick(&box, Qt::Key_Left);    // moves the caret, types nothing
    QTest::keyClick(&box, Qt::Key_Delete);  // deletes, bypassing the filter
    EXPECT_EQ(box.text(), "12.5");
    EXPECT_EQ(seen, std::u32string(U"3x\b"));
}

TEST(EditBoxFilter, ComposedTextIsFilteredToo) {
    EditBox box("", nullptr);
    box.setKeyFilter([](char32_t& key) {
        if (key == U',') key = 0;
    });
    QInputMethodEvent composed;
    composed.setCommitString("a,b");
    QApplication::sendEvent(&box, &composed);
    EXPECT_EQ(box.text(), "ab");
}

TEST(EditBoxFocus, KeyboardEntrySelectsAllAndAClickPlacesTheCaret) {
    QWidget window;
    auto* first = new EditBox("first", &window);
    auto* second = new EditBox("No satellite selected.", &window);
    second->move(0, 40);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window, azimora::testing::kEventBoundMs));
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_TRUE(second->hasFocus());
    EXPECT_EQ(second->selectedText(), second->text());
    first->setFocus();
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_TRUE(second->hasFocus());
    EXPECT_FALSE(second->hasSelectedText());
}

}  // namespace
}  // namespace azimora::shell
