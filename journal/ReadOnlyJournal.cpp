#include "journal/ReadOnlyJournal.h"

#include "journal/JournalSchema.h"
#include "journal/SqliteConnection.h"
#include "journal/SqliteError.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <sqlite3.h>

namespace fs = std::filesystem;

namespace {

using Found = JournalReading::Found;

enum Column { kAnsweredAt, kMultiplier, kRow, kAnswer, kOutcome, kResponse };

// Only the answers' own columns: the rounds are not needed to judge the facts, and leaving them
// out makes reading a big journal several times faster.
constexpr std::string_view kQuery = "SELECT answered_at, multiplier, table_row, answer, outcome, "
                                    "response_ms FROM answers ORDER BY id";

// A hand-edited id must not make the reader ask for a huge amount of memory up front.
constexpr std::int64_t kMostReserved = 10'000'000;

std::optional<std::int64_t> IntegerIn(const SqliteStatement& row, int column, std::int64_t low,
                                      std::int64_t high) {
    if (!row.IsInteger(column)) {
        return std::nullopt;
    }
    const std::int64_t value = row.Integer(column);
    return value >= low && value <= high ? std::optional(value) : std::nullopt;
}

std::optional<RecordedAnswer> ValidAnswer(const SqliteStatement& row) {
    const auto multiplier = IntegerIn(row, kMultiplier, 1, 10);
    const auto tableRow = IntegerIn(row, kRow, 1, 20);
    const auto response = IntegerIn(row, kResponse, 0, std::numeric_limits<std::int64_t>::max());
    const auto outcome = OutcomeFromText(row.Text(kOutcome));
    const auto answeredAt = ParseJournalTime(row.Text(kAnsweredAt));
    if (!multiplier || !tableRow || !response || !outcome || !answeredAt) {
        return std::nullopt;
    }
    return RecordedAnswer{*answeredAt,
                          {static_cast<std::int32_t>(*multiplier),
                           static_cast<std::int32_t>(*tableRow), row.Text(kAnswer), *outcome,
                           *response}};
}

std::vector<RecordedAnswer> ReadAnswers(const SqliteConnection& connection) {
    std::vector<RecordedAnswer> answers;
    // Ids count up from 1, so the highest is a cheap upper bound that spares regrowing the list.
    answers.reserve(static_cast<std::size_t>(std::clamp<std::int64_t>(
        connection.QueryInteger("SELECT ifnull(max(id), 0) FROM answers"), 0, kMostReserved)));
    SqliteStatement query = connection.Prepare(kQuery);
    while (query.Step()) {
        if (std::optional<RecordedAnswer> answer = ValidAnswer(query)) {
            answers.push_back(std::move(*answer));
        }
    }
    return answers;
}

JournalReading Failed(Found found, std::string problem) {
    return {found, {}, std::move(problem)};
}

JournalReading Read(const SqliteConnection& connection) {
    const std::int64_t version = connection.QueryInteger("PRAGMA user_version");
    if (version > kJournalVersion) {
        return Failed(Found::Newer, "user_version " + std::to_string(version));
    }
    if (version == kJournalVersion && HasJournalTables(connection)) {
        return {Found::Answers, ReadAnswers(connection), {}};
    }
    // The drill creates the file first and its tables a moment later.
    if (version == 0 && connection.QueryInteger("SELECT count(*) FROM sqlite_master") == 0) {
        return {Found::Answers, {}, {}};
    }
    return Failed(Found::Unreadable, "keine Lernstand-Datenbank");
}

} // namespace

JournalReading ReadJournalReadOnly(const fs::path& path) {
    std::error_code error;
    if (!fs::exists(path, error)) {
        return error ? Failed(Found::Unreadable, error.message()) : JournalReading{};
    }
    try {
        const SqliteConnection connection(path, SqliteAccess::ReadOnly);
        connection.SetBusyTimeout(kReadBusyTimeout);
        return Read(connection);
    } catch (const SqliteError& failure) {
        if (failure.PrimaryCode() == SQLITE_BUSY || failure.PrimaryCode() == SQLITE_LOCKED) {
            return Failed(Found::Busy, failure.what());
        }
        // Deleted between the look and the opening.
        if (failure.PrimaryCode() == SQLITE_CANTOPEN && !fs::exists(path, error) && !error) {
            return {};
        }
        return Failed(Found::Unreadable, failure.what());
    }
}
