#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <filesystem>
#include <vector>

// Tells when the journal's files changed, from the file system's notices: the folder for a
// journal appearing, being moved aside or deleted, the write-ahead log for every recorded answer.
// Nothing runs while nothing changes.
class JournalWatcher : public QObject {
    Q_OBJECT

public:
    JournalWatcher(std::filesystem::path journal, QObject* parent);

    // Watches the files that are there now; call after each reading.
    void Rewatch();

signals:
    void Changed();

private:
    struct FileStamp {
        bool exists = false;
        std::uintmax_t size = 0;
        std::filesystem::file_time_type written;
        bool operator==(const FileStamp&) const = default;
    };

    std::vector<FileStamp> Stamps() const;
    void Noticed();
    void Settled();

    std::filesystem::path journal_;
    QFileSystemWatcher watcher_;
    // Gathers the notices of one write into one reading.
    QTimer settle_;
    std::vector<FileStamp> seen_;
};
