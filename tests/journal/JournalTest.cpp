#include "journal/Journal.h"

#include "journal/JournalLocation.h"
#include "journal/JournalReader.h"
#include "journal/JournalRemoval.h"
#include "journal/ReadOnlyJournal.h"
#include "tests/journal/JournalFolder.h"
#include "tests/support/ScopedVariable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

TEST(Journal, SchemaIsExactlyThePublishedOne) {
    JournalFolder folder;
    folder.PlayRound(kRound, {Answer(2, 3, AnswerOutcome::Right)});

    const SqliteConnection journal(folder.Path());
    EXPECT_EQ(SchemaOf(journal), PublishedSchema(folder.Folder() / "reference.sqlite"));
    SqliteStatement mode = journal.Prepare("PRAGMA journal_mode");
    ASSERT_TRUE(mode.Step());
    EXPECT_EQ(mode.Text(0), "wal");
    EXPECT_EQ(folder.Errors(), "");
}

TEST(Journal, RoundIsWrittenWithItsFirstAnswer) {
    struct Case {
        const char* name;
        std::vector<std::vector<AnsweredProblem>> rounds;
        std::int64_t roundRows;
        std::int64_t answerRows;
    };
    const AnsweredProblem answer = Answer(6, 7, AnswerOutcome::Wrong);
    const std::vector<Case> cases = {
        {"round without answer", {{}}, 0, 0},
        {"one answer", {{answer}}, 1, 1},
        {"answerless round between two", {{answer, answer}, {}, {answer}}, 2, 3},
    };
    for (const Case& c : cases) {
        JournalFolder folder;
        for (const auto& answers : c.rounds) {
            folder.PlayRound(kRound, answers);
        }
        if (c.roundRows == 0) {
            EXPECT_FALSE(fs::exists(folder.Path().parent_path())) << c.name;
            continue;
        }
        EXPECT_EQ(folder.Count("rounds"), c.roundRows) << c.name;
        EXPECT_EQ(folder.Count("answers"), c.answerRows) << c.name;
    }
}

TEST(Journal, JournalDeletedBetweenRoundsIsStartedAnew) {
    JournalFolder folder;
    folder.PlayRound(kRound, {Answer(2, 3, AnswerOutcome::Right)});
    ASSERT_FALSE(RemoveJournal(folder.Path()));
    folder.PlayRound(kRound, {Answer(4, 5, AnswerOutcome::Right)});
    EXPECT_EQ(folder.Count("answers"), 1);
    EXPECT_EQ(folder.Errors(), "");
}

TEST(Journal, AnswersReadBackAsRecorded) {
    JournalFolder folder;
    const std::vector<AnsweredProblem> answers = {
        {7, 13, "91", AnswerOutcome::Right, 2345},
        {4, 3, "1000", AnswerOutcome::Wrong, 0},
        {10, 20, "", AnswerOutcome::Empty, 17},
        {1, 1, "", AnswerOutcome::TimeOut, 4000},
    };
    folder.PlayRound(kRound, answers);

    SqliteStatement stored = SqliteConnection(folder.Path())
                                 .Prepare("SELECT r.started_at, r.timed, r.rows, a.answered_at, "
                                          "group_concat(a.outcome) FROM rounds r JOIN answers a");
    ASSERT_TRUE(stored.Step());
    EXPECT_EQ(stored.Text(0), "2026-12-08T09:15:02.347Z");
    EXPECT_EQ(stored.Integer(1), 1);
    EXPECT_EQ(stored.Text(2), "3,4,7");
    EXPECT_EQ(stored.Text(3), "2026-12-08T09:15:02.347Z");
    EXPECT_EQ(stored.Text(4), "richtig,falsch,leer,zeit");

    const std::vector<JournalAnswer> read = ReadJournalAnswers(SqliteConnection(folder.Path()));
    ASSERT_EQ(read.size(), answers.size());
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const AnsweredProblem& got = read[i].problem;
        EXPECT_EQ(
            std::tie(got.multiplier, got.row, got.answer, got.outcome, got.responseMilliseconds),
            std::tie(answers[i].multiplier, answers[i].row, answers[i].answer, answers[i].outcome,
                     answers[i].responseMilliseconds));
        EXPECT_EQ(read[i].answeredAt, kMorning);
        EXPECT_EQ(read[i].round.facts.rows, kRound.rows);
        EXPECT_EQ(read[i].round.startedAt, kMorning);
    }
}

// Both ways into a journal skip a hand-edited answer and keep the others: the answers with their
// rounds, and the answers alone, which the Lernstand reads read-only and which do not look at the
// rounds.
TEST(Journal, ReadersSkipHandEditedValues) {
    const struct {
        const char* name;
        const char* edit;
        std::size_t withRounds;
        std::size_t alone;
    } cases[] = {
        {"unchanged", "UPDATE answers SET answer = answer", 2, 2},
        {"multiplier 11", "UPDATE answers SET multiplier = 11", 1, 1},
        {"row 0", "UPDATE answers SET table_row = 0", 1, 1},
        {"row 21", "UPDATE answers SET table_row = 21", 1, 1},
        {"row as text", "UPDATE answers SET table_row = 'sieben'", 1, 1},
        {"unknown outcome", "UPDATE answers SET outcome = 'gut'", 1, 1},
        {"negative response time", "UPDATE answers SET response_ms = -1", 1, 1},
        {"response time as text", "UPDATE answers SET response_ms = '1,2 s'", 1, 1},
        {"answer time not UTC", "UPDATE answers SET answered_at = '2026-12-08 09:15:02'", 1, 1},
        {"day 32", "UPDATE answers SET answered_at = '2026-12-32T09:15:02.347Z'", 1, 1},
        {"rows descending", "UPDATE rounds SET rows = '7,3'", 1, 2},
        {"row 21 enabled", "UPDATE rounds SET rows = '3,21'", 1, 2},
        {"trailing comma", "UPDATE rounds SET rows = '3,'", 1, 2},
        {"timed 2", "UPDATE rounds SET timed = 2", 1, 2},
        {"no problems", "UPDATE rounds SET problem_total = 0", 1, 2},
        {"missing round", "UPDATE answers SET round_id = 99", 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        JournalFolder folder;
        folder.PlayTwoRoundsAndEditTheFirst(c.edit);

        const std::vector<JournalAnswer> withRounds =
            ReadJournalAnswers(SqliteConnection(folder.Path()));
        ASSERT_EQ(withRounds.size(), c.withRounds);
        EXPECT_EQ(withRounds.back().problem.multiplier, 4);

        std::vector<RecordedAnswer> alone;
        const JournalReading reading =
            ReadJournalReadOnly(folder.Path(), [&alone](const SqliteConnection& connection) {
                alone = ReadRecordedAnswers(connection);
            });
        EXPECT_EQ(reading.found, JournalReading::Found::Answers);
        ASSERT_EQ(alone.size(), c.alone);
        EXPECT_EQ(alone.back().problem.multiplier, 4);
    }
}

TEST(Journal, TheNewestTypingCheckIsReadBackAsKept) {
    const std::vector<TypedNumber> older = {{"12", "12", 900}, {"35", "35", 1100}};
    // A slip, then two numbers typed right.
    const std::vector<TypedNumber> newer = {
        {"47", "", 400}, {"47", "47", 2100}, {"63", "63", 1800}};
    const std::vector<TypedNumber> newerTimed(newer.begin() + 1, newer.end());
    const struct {
        const char* name;
        // How many checks were kept: older, then newer.
        std::size_t checks;
        const char* edit;
        std::optional<std::vector<TypedNumber>> read;
        int minutesAfterMorning;
    } cases[] = {
        {"none", 0, "", std::nullopt, 0},
        {"one", 1, "", older, 0},
        {"the newest of two", 2, "", newer, 1},
        {"a negative time is left out", 2, "UPDATE typing SET response_ms = -1 WHERE id = 3",
         newerTimed, 1},
        {"a check with no readable time is none", 2,
         "UPDATE typing SET checked_at = 'gestern' WHERE id > 2", older, 0},
    };
    for (const auto& c : cases) {
        JournalFolder folder;
        folder.PlayRound(kRound, {Answer(2, 3, AnswerOutcome::Right)});
        WallTime now = kMorning;
        JournalRecorder recorder(folder.Path(), [&now] { return now; });
        for (std::size_t check = 0; check < c.checks; ++check) {
            recorder.TypingChecked(check == 0 ? older : newer);
            now += std::chrono::minutes(1);
        }
        SqliteConnection(folder.Path()).Execute(c.edit);

        std::optional<TypingCheck> read;
        ReadJournalReadOnly(folder.Path(), [&read](const SqliteConnection& journal) {
            read = ReadNewestTypingCheck(journal);
        });
        ASSERT_EQ(read.has_value(), c.read.has_value()) << c.name;
        if (read) {
            EXPECT_EQ(read->numbers, *c.read) << c.name;
            EXPECT_EQ(read->checkedAt, kMorning + std::chrono::minutes(c.minutesAfterMorning))
                << c.name;
        }
    }
}

TEST(JournalLocation, DataFolderFromEnvironment) {
    struct Case {
        std::optional<std::string> dataHome;
        fs::path expected;
    };
    const std::vector<Case> cases = {
        {"/srv/daten", "/srv/daten/Kalkuno/Lernstand.sqlite"},
        {"relativ/daten", "/home/kind/.local/share/Kalkuno/Lernstand.sqlite"},
        {std::nullopt, "/home/kind/.local/share/Kalkuno/Lernstand.sqlite"},
    };
    const ScopedVariable home("HOME", "/home/kind");
    for (const Case& c : cases) {
        const ScopedVariable dataHome("XDG_DATA_HOME", c.dataHome);
        EXPECT_EQ(JournalPath(), c.expected) << c.dataHome.value_or("unset");
    }
}

} // namespace
