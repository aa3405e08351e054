#include "lernstand/window/JournalWatcher.h"

#include "journal/SqliteCompanions.h"

#include <QFileInfo>

#include <utility>

namespace fs = std::filesystem;

namespace {

constexpr int kSettleMilliseconds = 200;

// The journal's folder, or the nearest folder above it that exists.
fs::path NearestFolder(fs::path folder) {
    std::error_code error;
    while (!fs::is_directory(folder, error) && folder.has_relative_path()) {
        folder = folder.parent_path();
    }
    return folder;
}

} // namespace

JournalWatcher::JournalWatcher(fs::path journal, QObject* parent)
    : QObject(parent)
    , journal_(std::move(journal)) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMilliseconds);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &JournalWatcher::Noticed);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &JournalWatcher::Noticed);
    connect(&settle_, &QTimer::timeout, this, &JournalWatcher::Settled);
}

void JournalWatcher::Rewatch(const JournalStamps& read) {
    seen_ = read;
    const QStringList watched = watcher_.files() + watcher_.directories();
    if (!watched.isEmpty()) {
        watcher_.removePaths(watched);
    }
    QStringList paths{QString::fromStdString(NearestFolder(journal_.parent_path()).string())};
    for (const fs::path& file : {journal_, WriteAheadLogOf(journal_)}) {
        // The folder's notices still tell when a file this user may not read is replaced.
        const QString path = QString::fromStdString(file.string());
        if (QFileInfo(path).isReadable()) {
            paths << path;
        }
    }
    watcher_.addPaths(paths);
    if (StampJournal(journal_) != seen_) {
        Noticed();
    }
}

void JournalWatcher::Noticed() {
    if (!settle_.isActive()) {
        settle_.start();
    }
}

void JournalWatcher::Settled() {
    // Other files in the folder, and SQLite's shared index touched by reading, change nothing;
    // but a folder on the way to the journal may have appeared and is worth watching.
    if (StampJournal(journal_) != seen_) {
        emit Changed();
    } else {
        Rewatch(seen_);
        emit FolderChanged();
    }
}
