#include "lernstand/ClassFolder.h"

#include "journal/JournalReader.h"
#include "school/FolderLook.h"

#include <algorithm>
#include <optional>
#include <thread>

namespace fs = std::filesystem;

namespace {

using Found = JournalReading::Found;

// Two readers keep both cores busy; more would only wait for the same stick.
constexpr unsigned kMostReaders = 2;

fs::file_time_type WrittenAt(const fs::path& file) {
    std::error_code error;
    return fs::last_write_time(file, error);
}

} // namespace

PupilJournal ReadPupilJournal(const fs::path& file, WallTime now) {
    PupilJournal pupil;
    pupil.file = file;
    pupil.written = WrittenAt(file);
    pupil.name = file.stem().string();
    std::vector<RecordedAnswer> answers;
    std::string name;
    try {
        pupil.reading = ReadJournalReadOnly(
            file,
            [&answers, &name, &pupil](const SqliteConnection& connection) {
                answers = ReadRecordedAnswers(connection);
                name = ReadChildName(connection);
                pupil.typingCheck = ReadNewestTypingCheck(connection);
            },
            JournalOrigin::Copy);
    } catch (const std::exception& error) {
        // Out of memory, say, on a file built to look huge: it is listed, the others still read.
        pupil.reading = {Found::Unreadable, error.what()};
        return pupil;
    }
    if (!name.empty()) {
        pupil.name = name;
    }
    pupil.summary = Overview(answers, now).summary;
    for (const RecordedAnswer& answer : answers) {
        pupil.lastAnswer = std::max(pupil.lastAnswer, answer.answeredAt);
    }
    pupil.facts = FactTable(answers);
    return pupil;
}

ClassFolder ReadClassFolder(const fs::path& folder, WallTime now,
                            const std::atomic<bool>& cancelled, const ClassProgress& progress) {
    const std::vector<fs::path> files = PupilFiles(folder);
    std::vector<std::optional<PupilJournal>> read(files.size());
    std::atomic<std::size_t> next = 0;
    std::atomic<std::size_t> done = 0;
    const auto readFiles = [&] {
        for (std::size_t i = next++; i < files.size() && !cancelled; i = next++) {
            read[i] = ReadPupilJournal(files[i], now);
            progress(++done, files.size());
        }
    };
    {
        std::vector<std::jthread> readers;
        const unsigned count = std::clamp(std::thread::hardware_concurrency(), 1U, kMostReaders);
        for (unsigned reader = 1; reader < count; ++reader) {
            readers.emplace_back(readFiles);
        }
        readFiles();
    }
    ClassFolder result;
    result.cancelled = cancelled;
    for (std::optional<PupilJournal>& pupil : read) {
        if (pupil) {
            result.pupils.push_back(std::move(*pupil));
        }
    }
    return result;
}
