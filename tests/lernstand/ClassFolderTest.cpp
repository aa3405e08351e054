#include "lernstand/ClassFolder.h"

#include "journal/Journal.h"
#include "journal/JournalRecorder.h"
#include "journal/SqliteCompanions.h"
#include "journal/SqliteConnection.h"
#include "journal/UtcTime.h"
#include "lernstand/LernstandTexts.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempConfigDir.h"
#include "tests/support/WithoutRootPrivilege.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

const WallTime kMorning = *ParseJournalTime("2026-12-08T09:15:02.347Z");

void Record(const fs::path& journal, int multiplier, int row, AnswerOutcome outcome) {
    JournalRecorder recorder(journal, [] { return kMorning; });
    recorder.RoundStarted({10, false, 5, {row}});
    recorder.Answered({multiplier, row, "1", outcome, 1200});
}

std::map<std::string, std::string> FolderContent(const fs::path& folder) {
    std::map<std::string, std::string> content;
    for (const auto& entry : fs::directory_iterator(folder)) {
        content[entry.path().filename().string()] =
            entry.is_regular_file() ? FileBytes(entry.path()) : "";
    }
    return content;
}

// A teacher's stick as it comes back from the class: whatever lies on it is listed, and nothing on
// it changes.
TEST(ClassFolder, ListsEveryFileAndChangesNone) {
    const TempConfigDir temp;
    const fs::path stick = temp.Path() / "stick";
    fs::create_directories(stick);
    Record(stick / "Anna.sqlite", 7, 8, AnswerOutcome::Wrong);
    Record(stick / "Ben.sqlite", 3, 4, AnswerOutcome::Right);
    // Copied by hand while the drill records: the last answer still in the log beside it.
    {
        Record(temp.Path() / "live.sqlite", 2, 2, AnswerOutcome::Right);
        const SqliteConnection holder(temp.Path() / "live.sqlite");
        // A reader holding the journal keeps the drill's last write in the log.
        holder.QueryInteger("SELECT count(*) FROM answers");
        Record(temp.Path() / "live.sqlite", 5, 5, AnswerOutcome::Wrong);
        fs::copy_file(temp.Path() / "live.sqlite", stick / "Cem.sqlite");
        fs::copy_file(WriteAheadLogOf(temp.Path() / "live.sqlite"),
                      WriteAheadLogOf(stick / "Cem.sqlite"));
    }
    std::ofstream(stick / "Einkaufsliste.txt") << "Milch, Brot";
    std::ofstream(stick / "leer.sqlite").flush();
    std::ofstream(stick / ".versteckt") << "x";
    const std::string half = FileBytes(stick / "Anna.sqlite");
    std::ofstream(stick / "halb.sqlite", std::ios::binary) << half.substr(0, half.size() / 2);
    std::ofstream(stick / "geheim.sqlite") << "x";
    fs::permissions(stick / "geheim.sqlite", fs::perms::none);
    // Copies for the teacher still being written, as this version and an older one name them.
    fs::copy_file(stick / "Ben.sqlite", stick / ".Lernstand-Dana.sqlite.unfertig-a1B2c3");
    fs::copy_file(stick / "Ben.sqlite", stick / "Lernstand-Emil.sqlite.unfertig-d4E5f6");
    const auto before = FolderContent(stick);

    // A write-protected stick, read by an ordinary user.
    fs::permissions(temp.Path(), fs::perms::all);
    using fs::perms;
    fs::permissions(stick, perms::owner_read | perms::owner_exec | perms::group_read |
                               perms::group_exec | perms::others_read | perms::others_exec);
    ClassFolder folder;
    {
        const WithoutRootPrivilege nobody;
        const std::atomic<bool> cancelled = false;
        folder = ReadClassFolder(stick, kMorning, cancelled, [](std::size_t, std::size_t) {});
    }
    fs::permissions(stick, fs::perms::owner_all);
    fs::permissions(stick / "geheim.sqlite", fs::perms::owner_all);
    EXPECT_EQ(FolderContent(stick), before);

    std::map<std::string, std::string> listed;
    for (const PupilJournal& pupil : folder.pupils) {
        listed[pupil.file.filename().string()] =
            pupil.Read() ? std::to_string(pupil.summary.answers) : PupilNote(pupil.reading, false);
    }
    EXPECT_EQ(listed.size(), 7U);
    EXPECT_EQ(listed["Anna.sqlite"], "1");
    EXPECT_EQ(listed["Ben.sqlite"], "1");
    EXPECT_EQ(listed["Cem.sqlite"], "2");
    EXPECT_EQ(listed["leer.sqlite"], "kein Lernstand (keine Lernstand-Datenbank)");
    for (const char* bad : {"Einkaufsliste.txt", "halb.sqlite", "geheim.sqlite"}) {
        EXPECT_TRUE(listed[bad].starts_with("nicht lesbar (")) << bad << ": " << listed[bad];
    }

    fs::remove_all(stick);
    const std::atomic<bool> cancelled = false;
    EXPECT_THROW(ReadClassFolder(stick, kMorning, cancelled, [](std::size_t, std::size_t) {}),
                 fs::filesystem_error);
}

} // namespace
