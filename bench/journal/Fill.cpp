#include "bench/journal/Fill.h"

#include "facts/Fact.h"
#include "journal/Journal.h"
#include "journal/JournalRemoval.h"
#include "journal/JournalSchema.h"
#include "journal/SqliteConnection.h"
#include "journal/SqliteTransaction.h"
#include "journal/UtcTime.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <numeric>
#include <random>
#include <stdexcept>

namespace {

namespace fs = std::filesystem;
using std::chrono::days;
using std::chrono::milliseconds;
using std::chrono::sys_days;
using Random = std::mt19937;

double Uniform(Random& random, double from, double to) {
    return std::uniform_real_distribution<double>(from, to)(random);
}

bool Chance(Random& random, double probability) {
    return Uniform(random, 0, 1) < probability;
}

// What the child knows of one fact, 0 to 1.
struct FactMemory {
    double strength = 0;
    sys_days lastDay{};
};

// Facts with 1, 2, 5 or 10 come easily; the products of 6 to 9 hardest; rows above 10 harder.
double Difficulty(int multiplier, int row) {
    const auto easy = [](int n) { return n == 1 || n == 2 || n == 5 || n == 10; };
    double difficulty = 0;
    if (!easy(multiplier) && !easy(row)) {
        difficulty = multiplier >= 6 && row >= 6 ? 0.25 : 0.12;
    }
    return difficulty + (row > 10 ? 0.1 : 0);
}

// Days with practice: most school days, some weekends, none in a fortnight's holiday.
std::vector<sys_days> PracticeDays(sys_days first, int count, Random& random) {
    const int holiday = static_cast<int>(Uniform(random, count / 3.0, count * 2 / 3.0));
    std::vector<sys_days> practised;
    for (int day = 0; day < count; ++day) {
        const std::chrono::weekday weekday(first + days(day));
        const bool weekend = weekday == std::chrono::Saturday || weekday == std::chrono::Sunday;
        const bool onHoliday = day >= holiday && day < holiday + 14;
        if (!onHoliday && Chance(random, weekend ? 0.35 : 0.85)) {
            practised.push_back(first + days(day));
        }
    }
    return practised;
}

// The answers of each practice day, unevenly spread, in full rounds but the last.
std::vector<int> AnswersPerDay(int total, int perRound, std::size_t dayCount, Random& random) {
    std::vector<double> weights(dayCount);
    for (double& weight : weights) {
        weight = Uniform(random, 0.4, 1.6);
    }
    const double sum = std::accumulate(weights.begin(), weights.end(), 0.0);
    std::vector<int> answers(dayCount);
    int given = 0;
    for (std::size_t day = 0; day < dayCount; ++day) {
        const int rounds = std::max(1, static_cast<int>(weights[day] / sum * total / perRound));
        answers[day] = std::min(rounds * perRound, total - given);
        given += answers[day];
    }
    for (std::size_t day = 0; given < total; day = (day + 1) % dayCount) {
        const int more = std::min(perRound, total - given);
        answers[day] += more;
        given += more;
    }
    return answers;
}

std::string RowsText(std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    std::string text;
    for (const int row : rows) {
        text += (text.empty() ? "" : ",") + std::to_string(row);
    }
    return text;
}

struct Answer {
    std::string text;
    AnswerOutcome outcome = AnswerOutcome::Right;
    std::int64_t milliseconds = 0;
};

class Child {
public:
    // Knows the easy facts a little from school already.
    explicit Child(Random& random)
        : random_(random)
        , ability_(Uniform(random, -0.12, 0.08)) {
        ForEachFact([this](Fact fact) {
            memory_.at(FactIndex(fact)).strength =
                Difficulty(fact.multiplier, fact.row) == 0 ? 0.5 : 0.1;
        });
    }

    // Forgets a little for every day since the fact was last asked, then answers.
    Answer Ask(int multiplier, int row, sys_days today, milliseconds timeLimit) {
        FactMemory& memory = memory_.at(FactIndex({multiplier, row}));
        if (memory.lastDay != sys_days{}) {
            memory.strength *= std::pow(0.993, (today - memory.lastDay).count());
        }
        memory.lastDay = today;
        const double difficulty = Difficulty(multiplier, row);
        // A hard fact stays harder, though less so once it is known.
        const double knows = std::clamp(0.35 + 0.60 * memory.strength -
                                            difficulty * (1 - 0.6 * memory.strength) + ability_,
                                        0.05, 0.95);
        const double fast = std::clamp(0.25 + 0.70 * memory.strength -
                                           difficulty * (1 - 0.5 * memory.strength) + ability_,
                                       0.05, 0.90);
        const int product = multiplier * row;
        Answer answer;
        if (Chance(random_, knows)) {
            const bool quick = Chance(random_, fast);
            answer.milliseconds = static_cast<std::int64_t>(
                quick ? 1200 + 1700 * std::pow(Uniform(random_, 0, 1), 1.5)
                      : Uniform(random_, 3100, 8000));
            answer.text = std::to_string(product);
            memory.strength += (quick ? 0.06 : 0.04) * (1 - memory.strength);
        } else if (Chance(random_, 0.25)) {
            // Gives up: an empty Enter, or the countdown runs out.
            answer.outcome = AnswerOutcome::Empty;
            answer.milliseconds = static_cast<std::int64_t>(Uniform(random_, 3000, 12000));
        } else {
            // A neighbour's product, or the digits turned round.
            const int wrongs[] = {product + row, product - row, product + multiplier,
                                  product - multiplier, (product % 10) * 10 + product / 10};
            int wrong = wrongs[random_() % std::size(wrongs)];
            if (wrong == product || wrong < 0) {
                wrong = product + 1;
            }
            answer.outcome = AnswerOutcome::Wrong;
            answer.text = std::to_string(wrong);
            answer.milliseconds = static_cast<std::int64_t>(Uniform(random_, 1500, 9000));
        }
        // Every problem teaches a little, a mistake through the product seen after it.
        if (answer.outcome != AnswerOutcome::Right) {
            memory.strength += 0.02 * (1 - memory.strength);
        }
        if (timeLimit.count() > 0 && answer.milliseconds >= timeLimit.count()) {
            answer = {"", AnswerOutcome::TimeOut, timeLimit.count()};
        }
        return answer;
    }

private:
    Random& random_;
    double ability_;
    std::array<FactMemory, kFacts> memory_{};
};

constexpr const char* kFirstNames[] = {
    "Anna",    "Ben",       "Clara", "David",     "Ella",  "Finn",   "Greta", "Hannes", "Ida",
    "Jonas",   "Karla",     "Leon",  "Mia",       "Noah",  "Olivia", "Paul",  "Quirin", "Romy",
    "Samuel",  "Tilda",     "Ugur",  "Valentina", "Emil",  "Xenia",  "Yusuf", "Zoe",    "Amira",
    "Bastian", "Charlotte", "Deniz", "Elif",      "Felix", "Hanna",  "Ilyas", "Jana",   "Kerem",
    "Lina",    "Mats",      "Nele",  "Oskar",     "Pia",   "Rafael", "Sofia", "Theo",   "Ula",
    "Vincent", "Wilma",     "Aylin", "Yara",      "Luca",  "Marie",  "Milan", "Frieda", "Jakob",
    "Lea",     "Moritz",    "Nora",  "Elias",     "Selin", "Tom"};
static_assert(std::size(kFirstNames) * 26 == kMostPupils);

} // namespace

std::string PupilName(int pupil) {
    const int count = static_cast<int>(std::size(kFirstNames));
    const int first = pupil % count;
    // Each first name goes through the alphabet from its own letter on.
    const char initial = static_cast<char>('A' + (pupil / count + first) % 26);
    return std::string(kFirstNames[first]) + " " + initial + ".";
}

void FillJournal(const fs::path& path, const PractisingChild& child) {
    if (child.rows.empty() || child.answers <= 0 || child.answersPerRound <= 0 || child.days <= 0) {
        throw std::invalid_argument("a child needs rows, answers, rounds and days");
    }
    if (const std::error_code error = RemoveJournal(path)) {
        throw fs::filesystem_error("cannot remove the old journal", path, error);
    }
    {
        // Creates the file with its schema.
        const Journal created(path);
    }
    Random random(child.seed);
    const sys_days last = std::chrono::floor<days>(child.until) - days(1);
    const sys_days first = last - days(child.days - 1);
    const std::vector<sys_days> practised = PracticeDays(first, child.days, random);
    if (practised.empty()) {
        throw std::invalid_argument("no day to practise on");
    }
    const std::vector<int> perDay =
        AnswersPerDay(child.answers, child.answersPerRound, practised.size(), random);
    // Rows are taken up one after another over the first half of the time.
    const auto rowsOn = [&](sys_days day) {
        const double into = static_cast<double>((day - first).count()) / child.days;
        const auto rowCount = static_cast<std::ptrdiff_t>(child.rows.size());
        const auto taken = std::min(
            rowCount, 1 + static_cast<std::ptrdiff_t>(into * 2 * static_cast<double>(rowCount)));
        return std::vector<int>(child.rows.begin(), child.rows.begin() + taken);
    };
    // Some children mostly play against the countdown, others never.
    const double timedShare = Uniform(random, 0, 1) < 0.3 ? 0 : Uniform(random, 0.3, 0.9);
    const int stepTenths = 3 + static_cast<int>(random() % 6);
    Child answering(random);

    const SqliteConnection connection(path);
    SqliteTransaction transaction(connection);
    if (!child.name.empty()) {
        connection.Prepare("INSERT INTO child (id, name) VALUES (1, ?)").Bind(1, child.name).Run();
    }
    SqliteStatement round = connection.Prepare(
        "INSERT INTO rounds (started_at, problem_total, timed, step_tenths, rows) "
        "VALUES (?, ?, ?, ?, ?)");
    SqliteStatement answer = connection.Prepare(
        "INSERT INTO answers (round_id, answered_at, multiplier, table_row, answer, outcome, "
        "response_ms) VALUES (?, ?, ?, ?, ?, ?, ?)");
    for (std::size_t day = 0; day < practised.size(); ++day) {
        const std::vector<int> rows = rowsOn(practised[day]);
        const std::string rowsText = RowsText(rows);
        // Afternoons, from between one and three o'clock on, over at the latest in the evening.
        WallTime now = practised[day] + std::chrono::hours(13) +
                       milliseconds(static_cast<std::int64_t>(Uniform(random, 0, 2 * 3.6e6)));
        const double rounds = std::ceil(static_cast<double>(perDay[day]) / child.answersPerRound);
        const double longestPause = std::min(300'000.0, 4 * 3.6e6 / rounds);
        int lastMultiplier = 0;
        int lastRow = 0;
        for (int asked = 0; asked < perDay[day]; asked += child.answersPerRound) {
            const int problems = std::min(child.answersPerRound, perDay[day] - asked);
            const bool timed = Chance(random, timedShare);
            // The countdown runs out at its 21st step of step_tenths tenths of a second.
            const milliseconds limit(timed ? 2100 * stepTenths : 0);
            round.Bind(1, JournalTimeText(now))
                .Bind(2, std::int64_t{child.answersPerRound})
                .Bind(3, std::int64_t{timed ? 1 : 0})
                .Bind(4, std::int64_t{stepTenths})
                .Bind(5, rowsText)
                .Run();
            const std::int64_t roundId = connection.LastInsertedRow();
            for (int problem = 0; problem < problems; ++problem) {
                // The drill's draw: any fact of the rows, never the same twice in a row.
                int multiplier = 0;
                int row = 0;
                do {
                    multiplier = 1 + static_cast<int>(random() % kMultipliers);
                    row = rows[random() % rows.size()];
                } while (multiplier == lastMultiplier && row == lastRow);
                lastMultiplier = multiplier;
                lastRow = row;
                const Answer given = answering.Ask(multiplier, row, practised[day], limit);
                now += milliseconds(given.milliseconds);
                answer.Bind(1, roundId)
                    .Bind(2, JournalTimeText(now))
                    .Bind(3, std::int64_t{multiplier})
                    .Bind(4, std::int64_t{row})
                    .Bind(5, given.text)
                    .Bind(6, OutcomeText(given.outcome))
                    .Bind(7, given.milliseconds)
                    .Run();
                now += milliseconds(static_cast<std::int64_t>(Uniform(random, 300, 1500)));
            }
            now += milliseconds(static_cast<std::int64_t>(Uniform(random, 5'000, longestPause)));
        }
    }
    transaction.Commit();
    connection.Execute("PRAGMA wal_checkpoint(TRUNCATE)");
}
