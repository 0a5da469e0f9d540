// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

// Import Satellites' Add Ticked: the ticked candidates planned against the
// user's satellite list, the list written whole or not at all on another
// thread, then the catalogue and its listing grown by them on the window's.
// What was not added keeps its tick, with the reason.
namespace azimora::shell {

class ImportCandidatesModel;
class TfrmKorvel;

class TickedImport final : public QObject {
    Q_OBJECT

public:
    TickedImport(TfrmKorvel& main, ImportCandidatesModel& model, QObject* parent);
    // A save under way ends before the import goes.
    ~TickedImport() override;
    Q_DISABLE_COPY_MOVE(TickedImport)

    // Starts saving the ticked rows: how many; none, when none is ticked.
    std::size_t start();
    [[nodiscard]] bool running() const { return saving_ != nullptr; }

signals:
    // The save is over: what it did, in a sentence, and a line for each
    // satellite not added (for the first kSkippedShown of them).
    void finished(const QString& status, const QStringList& notAdded);

private:
    void saved();

    TfrmKorvel& main_;
    ImportCandidatesModel& model_;
    struct Saving;
    std::shared_ptr<Saving> saving_;
    QFutureWatcher<void> watcher_;
};

}  // namespace azimora::shell
