// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "assistant/page_link_box.h"

#include <QApplication>
#include <QClipboard>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "installation/assistant_session.h"
#include "formats/page_link.h"
#include "settings_file.h"
#include "widgets/qr_code_view.h"

namespace azimora::shell {
namespace {

constexpr const char* kAddressKey = "web/address";

QString RememberedAddress() {
    const auto settings = sources::OpenSettings();
    return settings ? settings->value(QString::fromLatin1(kAddressKey)).toString() : QString();
}

void RememberAddress(const QString& address) {
    const auto settings = sources::OpenSettings();
    if (!settings) return;
    if (address.isEmpty())
        settings->remove(QString::fromLatin1(kAddressKey));
    else
        settings->setValue(QString::fromLatin1(kAddressKey), address);
}

const QString kHowToPublish = QStringLiteral(
    "Publish the web page to open these figures on a phone: copy the folder /usr/share/azimora/web "
    "(the package azimora-web) as it is to any HTTPS web host, then type its address above. "
    "The link and its QR code appear here.");

}  // namespace

PageLinkBox::PageLinkBox(QWidget* parent) : QGroupBox(QStringLiteral("On the phone"), parent) {
    setObjectName(QStringLiteral("pageLink"));
    // The address, the link and its button on the left; the code beside them.
    auto* layout = new QHBoxLayout(this);
    auto* column = new QVBoxLayout;
    auto* form = new QFormLayout;
    address_ = new QLineEdit(RememberedAddress(), this);
    address_->setObjectName(QStringLiteral("pageAddress"));
    address_->setPlaceholderText(QStringLiteral("https://"));
    address_->setAccessibleName(QStringLiteral("Web page address"));
    form->addRow(QStringLiteral("Web &page address:"), address_);
    column->addLayout(form);

    hint_ = new QLabel(this);
    hint_->setObjectName(QStringLiteral("pageHint"));
    hint_->setWordWrap(true);
    hint_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    column->addWidget(hint_);

    link_ = new QLineEdit(this);
    link_->setObjectName(QStringLiteral("pageLinkText"));
    link_->setReadOnly(true);
    link_->setAccessibleName(QStringLiteral("Link for the phone"));
    column->addWidget(link_);
    copy_ = new QPushButton(QStringLiteral("Copy Lin&k"), this);
    copy_->setObjectName(QStringLiteral("copyLink"));
    column->addWidget(copy_, 0, Qt::AlignLeft);
    column->addStretch();
    layout->addLayout(column, 1);
    code_ = new QrCodeView(this);
    layout->addWidget(code_, 0, Qt::AlignTop);

    connect(copy_, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(link()); });
    connect(address_, &QLineEdit::textChanged, this, &PageLinkBox::update);
    // Kept once typed: a usable address, or none.
    connect(address_, &QLineEdit::editingFinished, this, [this] {
        const QString typed = address_->text().trimmed();
        if (typed.isEmpty() || !PageAddressProblem(typed.toStdString())) RememberAddress(typed);
    });
    update();
}

void PageLinkBox::show(const std::optional<DisplaySite>& site, const AssistantSettings& settings) {
    site_ = site;
    dishDiameterMetres_ = settings.dishDiameterMetres;
    frequencyGHz_ = settings.frequencyGHz;
    offsetAngle_ = settings.offsetAngle;
    secondSatelliteLongitudeWest_ = settings.secondSatelliteWest;
    update();
}

QString PageLinkBox::link() const { return link_->isHidden() ? QString() : link_->text(); }

QString PageLinkBox::hint() const { return hint_->isHidden() ? QString() : hint_->text(); }

void PageLinkBox::update() {
    const QString typed = address_->text().trimmed();
    const auto problem = PageAddressProblem(typed.toStdString());
    QString hint;
    QString link;
    if (typed.isEmpty())
        hint = kHowToPublish;
    else if (problem)
        hint = QStringLiteral("This address cannot carry the link: %1.").arg(QString::fromStdString(*problem));
    else if (!site_)
        hint = QStringLiteral("The link needs a site and a satellite in the main window.");
    else
        link = QString::fromStdString(PageLink(typed.toStdString(),
                                               {site_->latitude, site_->longitudeWest, site_->satelliteLongitudeWest,
                                                dishDiameterMetres_, frequencyGHz_, offsetAngle_,
                                                secondSatelliteLongitudeWest_}));
    hint_->setText(hint);
    hint_->setAccessibleName(hint);
    hint_->setHidden(hint.isEmpty());
    link_->setText(link);
    link_->setCursorPosition(0);
    link_->setHidden(link.isEmpty());
    copy_->setHidden(link.isEmpty());
    code_->setText(link);
    code_->setHidden(link.isEmpty());
}

}  // namespace azimora::shell
