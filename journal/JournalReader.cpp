#include "journal/JournalReader.h"

#include "facts/Fact.h"
#include "journal/JournalSchema.h"
#include "journal/SqliteConnection.h"
#include "journal/UtcTime.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// The columns of an answer without its round, in the order both queries select them from.
enum RecordColumn {
    kRecordAnsweredAt,
    kRecordMultiplier,
    kRecordRow,
    kRecordAnswer,
    kRecordOutcome,
    kRecordResponse,
    kRecordColumns,
};

// The joined query: the answer's id, its columns as above, then its round.
enum Column {
    kAnswerId,
    kAnsweredAt,
    kRoundId = kAnsweredAt + static_cast<int>(kRecordColumns),
    kStartedAt,
    kProblemTotal,
    kTimed,
    kStepTenths,
    kRoundRows,
};

constexpr std::string_view kQuery =
    "SELECT a.id, a.answered_at, a.multiplier, a.table_row, a.answer, a.outcome, a.response_ms, "
    "r.id, r.started_at, r.problem_total, r.timed, r.step_tenths, r.rows "
    "FROM answers AS a JOIN rounds AS r ON r.id = a.round_id ORDER BY a.id";

// The integer in column when it lies in [low, high].
std::optional<std::int64_t> IntegerIn(const SqliteStatement& row, int column, std::int64_t low,
                                      std::int64_t high) {
    if (!row.IsInteger(column)) {
        return std::nullopt;
    }
    const std::int64_t value = row.Integer(column);
    return value >= low && value <= high ? std::optional(value) : std::nullopt;
}

// "3,4,7": rows 1 to 20, ascending, without blanks; "" for none.
std::optional<std::vector<int>> ParseRows(std::string_view text) {
    std::vector<int> rows;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        int row = 0;
        for (const char digit : item) {
            if (digit < '0' || digit > '9' || row > kRows) {
                return std::nullopt;
            }
            row = row * 10 + (digit - '0');
        }
        if (!IsRow(row) || (!rows.empty() && row <= rows.back())) {
            return std::nullopt;
        }
        rows.push_back(row);
        if (comma == std::string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
        if (text.empty()) {
            return std::nullopt;
        }
    }
    return rows;
}

constexpr std::string_view kRecordQuery = "SELECT answered_at, multiplier, table_row, answer, "
                                          "outcome, response_ms FROM answers ORDER BY id";
// Walks the index on (table_row, multiplier, id) backwards from the fact's newest answer.
constexpr std::string_view kFactQuery =
    "SELECT answered_at, multiplier, table_row, answer, outcome, response_ms FROM answers "
    "WHERE table_row = ? AND multiplier = ? ORDER BY id DESC";

// A hand-edited id must not make the reader ask for a huge amount of memory up front.
constexpr std::int64_t kMostReserved = 200'000;

// The answer whose columns start at first, when every value is one the program would write.
std::optional<RecordedAnswer> ValidRecord(const SqliteStatement& row, int first) {
    const auto multiplier = IntegerIn(row, first + kRecordMultiplier, 1, kMultipliers);
    const auto tableRow = IntegerIn(row, first + kRecordRow, 1, kRows);
    const auto response =
        IntegerIn(row, first + kRecordResponse, 0, std::numeric_limits<std::int64_t>::max());
    const auto outcome = OutcomeFromText(row.TextView(first + kRecordOutcome));
    const auto answeredAt = ParseJournalTime(row.TextView(first + kRecordAnsweredAt));
    if (!multiplier || !tableRow || !response || !outcome || !answeredAt) {
        return std::nullopt;
    }
    return RecordedAnswer{*answeredAt,
                          {static_cast<std::int32_t>(*multiplier),
                           static_cast<std::int32_t>(*tableRow), row.Text(first + kRecordAnswer),
                           *outcome, *response}};
}

std::optional<JournalAnswer> ValidAnswer(const SqliteStatement& row) {
    constexpr std::int64_t kInt32Low = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kInt32High = std::numeric_limits<std::int32_t>::max();
    std::optional<RecordedAnswer> record = ValidRecord(row, kAnsweredAt);
    const auto problemTotal = IntegerIn(row, kProblemTotal, 1, kInt32High);
    const auto timed = IntegerIn(row, kTimed, 0, 1);
    const auto stepTenths = IntegerIn(row, kStepTenths, kInt32Low, kInt32High);
    const auto startedAt = ParseJournalTime(row.TextView(kStartedAt));
    auto rows = ParseRows(row.TextView(kRoundRows));
    if (!record || !problemTotal || !timed || !stepTenths || !startedAt || !rows) {
        return std::nullopt;
    }
    JournalAnswer answer;
    answer.id = row.Integer(kAnswerId);
    answer.answeredAt = record->answeredAt;
    answer.problem = std::move(record->problem);
    answer.round.id = row.Integer(kRoundId);
    answer.round.startedAt = *startedAt;
    answer.round.facts.problemTotal = static_cast<std::int32_t>(*problemTotal);
    answer.round.facts.timed = *timed == 1;
    answer.round.facts.stepTenths = static_cast<std::int32_t>(*stepTenths);
    answer.round.facts.rows = std::move(*rows);
    return answer;
}

} // namespace

std::vector<JournalAnswer> ReadJournalAnswers(const SqliteConnection& connection) {
    SqliteStatement query = connection.Prepare(kQuery);
    std::vector<JournalAnswer> answers;
    while (query.Step()) {
        if (std::optional<JournalAnswer> answer = ValidAnswer(query)) {
            answers.push_back(std::move(*answer));
        }
    }
    return answers;
}

std::vector<RecordedAnswer> ReadRecordedAnswers(const SqliteConnection& connection) {
    std::vector<RecordedAnswer> answers;
    // Ids count up from 1, so the highest is a cheap upper bound that spares regrowing the list.
    answers.reserve(static_cast<std::size_t>(std::clamp<std::int64_t>(
        connection.QueryInteger("SELECT ifnull(max(id), 0) FROM answers"), 0, kMostReserved)));
    SqliteStatement query = connection.Prepare(kRecordQuery);
    while (query.Step()) {
        if (std::optional<RecordedAnswer> answer = ValidRecord(query, kRecordAnsweredAt)) {
            answers.push_back(std::move(*answer));
        }
    }
    return answers;
}

std::string ReadChildName(const SqliteConnection& connection) {
    if (connection.QueryInteger("PRAGMA user_version") < 2) {
        return {};
    }
    SqliteStatement query = connection.Prepare("SELECT name FROM child WHERE id = 1");
    return query.Step() ? query.Text(0) : std::string();
}

std::optional<TypingCheck> ReadNewestTypingCheck(const SqliteConnection& connection) {
    if (connection.QueryInteger("PRAGMA user_version") < 3) {
        return std::nullopt;
    }
    SqliteStatement query = connection.Prepare(
        "SELECT checked_at, shown, typed, response_ms FROM typing ORDER BY id DESC");
    std::optional<TypingCheck> check;
    std::string checkedAtText;
    while (query.Step()) {
        const auto checkedAt = ParseJournalTime(query.TextView(0));
        const auto response = IntegerIn(query, 3, 0, std::numeric_limits<std::int64_t>::max());
        if (!checkedAt || !response) {
            continue;
        }
        if (!check) {
            check = TypingCheck{*checkedAt, {}};
            checkedAtText = query.Text(0);
        } else if (query.TextView(0) != checkedAtText) {
            break;
        }
        check->numbers.push_back({query.Text(1), query.Text(2), *response});
    }
    if (check) {
        std::reverse(check->numbers.begin(), check->numbers.end());
    }
    return check;
}

FactAnswerReader::FactAnswerReader(const SqliteConnection& connection)
    : query_(connection.Prepare(kFactQuery)) {}

void FactAnswerReader::Read(Fact fact, const std::function<bool(const RecordedAnswer&)>& visit) {
    query_.Reset();
    query_.Bind(1, std::int64_t{fact.row}).Bind(2, std::int64_t{fact.multiplier});
    while (query_.Step()) {
        const std::optional<RecordedAnswer> answer = ValidRecord(query_, kRecordAnsweredAt);
        if (answer && !visit(*answer)) {
            return;
        }
    }
}
