// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QWidget>

#include <filesystem>
#include <optional>

#include "element_download.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Import Satellites' current elements: the address they are downloaded
// from (the user's to change; the last one that worked is remembered), the
// Download button, and the kept copy of the last download with its age and
// a button to use it. The network is asked only when the user asks.
namespace azimora::shell {

class CurrentElementsPanel final : public QWidget {
    Q_OBJECT

public:
    CurrentElementsPanel(std::filesystem::path keptFolder, QWidget* parent);
    Q_DISABLE_COPY_MOVE(CurrentElementsPanel)

    // Starts a download from the address in the field, unless the kept copy
    // is fresh or the address is refused; message() says which.
    sources::ElementDownload::Start start(int timeoutMs);
    void cancel() { download_->cancel(); }
    [[nodiscard]] bool running() const { return download_->running(); }
    [[nodiscard]] QString message() const { return download_->message(); }

    // The kept download's file, where there is one to use.
    [[nodiscard]] std::optional<QString> keptFile() const;
    [[nodiscard]] QString keptText() const;
    [[nodiscard]] QLineEdit& address() const { return *address_; }
    [[nodiscard]] QPushButton& downloadButton() const { return *downloadButton_; }
    [[nodiscard]] QPushButton& useKeptButton() const { return *useKept_; }

signals:
    void downloadAsked();
    void keptCopyAsked();
    void progress(qint64 received, qint64 total);  // total -1 while unknown
    // The download is over: ok, the kept copy is new; message() says how it went.
    void finished(bool ok);

private:
    void showKeptCopy();
    void downloaded(bool ok);

    std::filesystem::path keptFolder_;
    QLineEdit* address_ = nullptr;
    QPushButton* downloadButton_ = nullptr;
    QLabel* kept_ = nullptr;
    QPushButton* useKept_ = nullptr;
    sources::ElementDownload* download_ = nullptr;
    QString downloadingFrom_;  // the address of the download under way
};

}  // namespace azimora::shell
