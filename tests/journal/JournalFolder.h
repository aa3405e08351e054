#pragma once

#include "journal/JournalRecorder.h"
#include "journal/SqliteConnection.h"
#include "journal/UtcTime.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempConfigDir.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// 2026-12-08T09:15:02.347Z, the time every recorder of the tests sees.
inline const WallTime kMorning =
    std::chrono::sys_days(std::chrono::year(2026) / std::chrono::December / 8) +
    std::chrono::hours(9) + std::chrono::minutes(15) + std::chrono::seconds(2) +
    std::chrono::milliseconds(347);

inline const RoundFacts kRound{10, true, 5, {3, 4, 7}};

inline AnsweredProblem Answer(std::int32_t multiplier, std::int32_t row, AnswerOutcome outcome) {
    const bool typed = outcome == AnswerOutcome::Right || outcome == AnswerOutcome::Wrong;
    return {multiplier, row, typed ? std::to_string(multiplier * row) : "", outcome, 1200};
}

// A temporary folder with the journal's place in it and a recorder that writes there.
class JournalFolder {
public:
    std::filesystem::path Folder() const { return dir_.Path(); }
    std::filesystem::path Path() const { return dir_.Path() / "Kalkuno" / "Lernstand.sqlite"; }
    std::string Errors() const { return errors_.str(); }

    JournalRecorder& Recorder() { return recorder_; }

    // One round of the given answers.
    void PlayRound(const RoundFacts& round, const std::vector<AnsweredProblem>& answers) {
        recorder_.RoundStarted(round);
        for (const AnsweredProblem& answer : answers) {
            recorder_.Answered(answer);
        }
    }

    // Two rounds of one answer each (2 · 3 right, 4 · 5 wrong), the first then hand-edited by the
    // SQL statement given, with its checks off.
    void PlayTwoRoundsAndEditTheFirst(const std::string& edit) {
        PlayRound(kRound, {Answer(2, 3, AnswerOutcome::Right)});
        PlayRound(kRound, {Answer(4, 5, AnswerOutcome::Wrong)});
        const SqliteConnection editor(Path());
        editor.Execute("PRAGMA ignore_check_constraints = ON");
        editor.Execute((edit + " WHERE id = 1").c_str());
    }

    std::int64_t Count(const std::string& table) const {
        return SqliteConnection(Path()).QueryInteger("SELECT count(*) FROM " + table);
    }

private:
    TempConfigDir dir_;
    std::ostringstream errors_;
    JournalRecorder recorder_{Path(), [] { return kMorning; }, errors_};
};

// Every schema object with its stored SQL, and the version.
inline std::string SchemaOf(const SqliteConnection& database) {
    SqliteStatement objects =
        database.Prepare("SELECT type, name, sql FROM sqlite_master ORDER BY name");
    std::string schema =
        "user_version " + std::to_string(database.QueryInteger("PRAGMA user_version"));
    while (objects.Step()) {
        schema += "\n" + objects.Text(0) + " " + objects.Text(1) + ": " + objects.Text(2);
    }
    return schema;
}

// The journal's schema as published in the fixture.
inline std::string PublishedSchema(const std::filesystem::path& scratch) {
    SqliteConnection(scratch).Execute(FileBytes(FIXTURE_DIR "/schema.sql").c_str());
    return SchemaOf(SqliteConnection(scratch));
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}
