// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "app/qt_dialogs.h"

#include <QMessageBox>
#include <QPushButton>

#include "placement/window_placement.h"

namespace azimora::shell {
namespace {

// The save question: Yes (default, Enter) and No (Escape), centred on the
// screen. Closing it through the window frame is not a No.
class ConfirmBox final : public QMessageBox {
public:
    ConfirmBox(const QString& question, QWidget* owner)
        : QMessageBox(QMessageBox::Question, QString::fromLatin1(kConfirmTitle), question, QMessageBox::NoButton, owner) {
        yes_ = addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
        no_ = addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        setDefaultButton(yes_);
        setEscapeButton(no_);
        // Escape clicks No; only a button click counts as an answer.
        connect(this, &QMessageBox::buttonClicked, this, [this](QAbstractButton* button) { answer_ = button; });
    }

    [[nodiscard]] ConfirmAnswer Ask() {
        exec();
        if (answer_ == nullptr) return ConfirmAnswer::Closed;
        return answer_ == no_ ? ConfirmAnswer::No : ConfirmAnswer::Yes;
    }

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        CentreFrameOnScreen(*this);
    }

private:
    QPushButton* yes_;
    QPushButton* no_;
    QAbstractButton* answer_ = nullptr;
};

}  // namespace

ConfirmAnswer QtDialogs::Confirm(const std::string& question) {
    ConfirmBox box(QString::fromStdString(question), owner_);
    return box.Ask();
}

void QtDialogs::ShowError(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(kApplicationTitle), QString::fromStdString(text), QMessageBox::Ok,
                    owner_);
    box.exec();
}

void QtDialogs::ShowInformation(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kApplicationTitle), QString::fromStdString(text), QMessageBox::Ok,
                    owner_);
    box.exec();
}

}  // namespace azimora::shell
