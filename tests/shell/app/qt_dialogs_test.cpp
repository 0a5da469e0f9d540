// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include "app/qt_dialogs.h"
#include "qt_printers.h"

namespace azimora::shell {
namespace {

// Acts on the next modal box from inside its own event loop.
void OnNextBox(std::function<void(QMessageBox&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr) << "no box is up";
        act(*box);
        // A box the action left open would hold the test forever.
        QTimer::singleShot(3000, box, [box] {
            ADD_FAILURE() << "the box stayed open";
            box->done(0);
        });
    });
}

TEST(QtDialogs, ConfirmationAnswers) {
    QtDialogs dialogs;
    struct Case {
        const char* how;
        std::function<void(QMessageBox&)> act;
        ConfirmAnswer answer;
    };
    const Case cases[] = {
        {"Enter takes Yes", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); }, ConfirmAnswer::Yes},
        {"Escape takes No", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }, ConfirmAnswer::No},
        {"a click on No", [](QMessageBox& box) { box.buttons().at(1)->click(); }, ConfirmAnswer::No},
        {"the frame's close button is no answer", [](QMessageBox& box) { box.close(); }, ConfirmAnswer::Closed},
    };
    for (const Case& c : cases) {
        QString title;
        QString text;
        QStringList buttons;
        OnNextBox([&](QMessageBox& box) {
            title = box.windowTitle();
            text = box.text();
            for (const QAbstractButton* button : box.buttons()) buttons << button->text();
            EXPECT_EQ(box.icon(), QMessageBox::Question);
            EXPECT_EQ(box.defaultButton()->text(), "&Yes");
            c.act(box);
        });
        EXPECT_EQ(dialogs.Confirm("Are you sure you want to save this modified entry to your user list?"), c.answer)
            << c.how;
        EXPECT_EQ(title, "Confirm");
        EXPECT_EQ(text, "Are you sure you want to save this modified entry to your user list?");
        EXPECT_EQ(buttons, (QStringList{"&Yes", "&No"}));
    }
}

TEST(QtDialogs, ErrorAndInformationBoxesCarryTheApplicationTitle) {
    QtDialogs dialogs;
    struct Seen {
        QString title, text;
        QMessageBox::Icon icon;
    } error{}, information{};
    OnNextBox([&](QMessageBox& box) {
        error = {box.windowTitle(), box.text(), box.icon()};
        box.accept();
    });
    dialogs.ShowError("Disk full.");
    OnNextBox([&](QMessageBox& box) {
        information = {box.windowTitle(), box.text(), box.icon()};
        box.accept();
    });
    dialogs.ShowInformation("Please calculate a pointing BEFORE printing.");
    EXPECT_EQ(error.title, "Azimora 2003");
    EXPECT_EQ(error.text, "Disk full.");
    EXPECT_EQ(error.icon, QMessageBox::Critical);
    EXPECT_EQ(information.title, "Azimora 2003");
    EXPECT_EQ(information.text, "Please calculate a pointing BEFORE printing.");
    EXPECT_EQ(information.icon, QMessageBox::NoIcon);
}

}  // namespace
}  // namespace azimora::shell
