#pragma once

#include "lernstand/JournalLook.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <filesystem>

// Tells when the journal's files changed, from the file system's notices: the folder for a
// journal appearing, being moved aside or deleted, the write-ahead log for every recorded answer.
// Nothing runs while nothing changes.
class JournalWatcher : public QObject {
    Q_OBJECT

public:
    JournalWatcher(std::filesystem::path journal, QObject* parent);

    const std::filesystem::path& Journal() const { return journal_; }

    // Watches the files that are there now, after a reading that saw them as read; a change
    // since then is told at once.
    void Rewatch(const JournalStamps& read);

signals:
    void Changed();
    // Another file of the journal's folder came, went or was replaced; the journal did not change.
    void FolderChanged();

private:
    void Noticed();
    void Settled();

    std::filesystem::path journal_;
    QFileSystemWatcher watcher_;
    // Gathers the notices of one write into one reading.
    QTimer settle_;
    JournalStamps seen_;
};
