// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "outside_data/current_elements_panel.h"

#include <QDateTime>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include <utility>

#include "formats/kept_elements.h"
#include "settings_file.h"

namespace azimora::shell {
namespace {

// The address of the last download that worked; the publisher's default first.
constexpr const char* kAddressKey = "elements/address";

QString RememberedAddress() {
    const auto settings = sources::OpenSettings();
    const QString fallback = QString::fromLatin1(sources::kDefaultElementsAddress);
    return settings ? settings->value(QString::fromLatin1(kAddressKey), fallback).toString() : fallback;
}

void RememberAddress(const QString& address) {
    const auto settings = sources::OpenSettings();
    if (!settings) return;
    if (address != QLatin1String(sources::kDefaultElementsAddress) || settings->contains(QString::fromLatin1(kAddressKey)))
        settings->setValue(QString::fromLatin1(kAddressKey), address);
}

}  // namespace

CurrentElementsPanel::CurrentElementsPanel(std::filesystem::path keptFolder, QWidget* parent)
    : QWidget(parent), keptFolder_(std::move(keptFolder)) {
    // Two rows of the dialog, spaced as its own rows are.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* downloadRow = new QHBoxLayout;
    address_ = new QLineEdit(this);
    address_->setObjectName(QStringLiteral("elementsAddress"));
    address_->setAccessibleName(QStringLiteral("Address of the current elements"));
    address_->setText(RememberedAddress());
    auto* addressLabel = new QLabel(QStringLiteral("C&urrent elements from:"), this);
    addressLabel->setBuddy(address_);
    downloadButton_ = new QPushButton(QStringLiteral("Do&wnload"), this);
    downloadButton_->setObjectName(QStringLiteral("download"));
    downloadButton_->setAccessibleName(QStringLiteral("Download Current Elements"));
    downloadRow->addWidget(addressLabel);
    downloadRow->addWidget(address_, 1);
    downloadRow->addWidget(downloadButton_);
    layout->addLayout(downloadRow);
    auto* keptRow = new QHBoxLayout;
    kept_ = new QLabel(this);
    kept_->setObjectName(QStringLiteral("keptCopy"));
    kept_->setWordWrap(true);
    useKept_ = new QPushButton(QStringLiteral("Use &Kept Copy"), this);
    useKept_->setObjectName(QStringLiteral("useKept"));
    keptRow->addWidget(kept_, 1);
    keptRow->addWidget(useKept_);
    layout->addLayout(keptRow);
    download_ = new sources::ElementDownload(keptFolder_, this);
    connect(downloadButton_, &QPushButton::clicked, this, &CurrentElementsPanel::downloadAsked);
    connect(useKept_, &QPushButton::clicked, this, &CurrentElementsPanel::keptCopyAsked);
    connect(download_, &sources::ElementDownload::finished, this, &CurrentElementsPanel::downloaded);
    connect(download_, &sources::ElementDownload::progress, this, &CurrentElementsPanel::progress);
    showKeptCopy();
}

sources::ElementDownload::Start CurrentElementsPanel::start(int timeoutMs) {
    const QUrl address(address_->text().trimmed());
    const auto started = download_->start(address, QDateTime::currentDateTimeUtc(), timeoutMs);
    if (started == sources::ElementDownload::Start::Started) downloadingFrom_ = address_->text().trimmed();
    return started;
}

void CurrentElementsPanel::downloaded(bool ok) {
    showKeptCopy();
    // What worked is remembered; a failed address stays in the field only.
    if (ok) RememberAddress(downloadingFrom_);
    emit finished(ok);
}

void CurrentElementsPanel::showKeptCopy() {
    const KeptElementsLookup lookup = LookUpKeptElements(keptFolder_);
    const auto& kept = lookup.kept;
    useKept_->setVisible(kept.has_value());
    if (!kept) {
        kept_->setText(lookup.problem.empty()
                           ? QStringLiteral("No download kept yet.")
                           : QStringLiteral("The kept download cannot be used: %1.").arg(QString::fromStdString(lookup.problem)));
        return;
    }
    const double age = static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000 - kept->downloaded;
    const QDateTime when = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(kept->downloaded * 1000), Qt::UTC);
    kept_->setText(QStringLiteral("Kept download of %1 UTC, %2 old, from %3.")
                       .arg(when.toString(QStringLiteral("yyyy-MM-dd HH:mm")), QString::fromStdString(AgeText(age)),
                            QUrl(QString::fromStdString(kept->address)).host()));
}

QString CurrentElementsPanel::keptText() const { return kept_->text(); }

std::optional<QString> CurrentElementsPanel::keptFile() const {
    if (const auto kept = FindKeptElements(keptFolder_)) return QFile::decodeName(kept->file.c_str());
    return std::nullopt;
}

}  // namespace azimora::shell
