#include "bench/learnsim/Simulation.h"

#include "bench/learnsim/MemoryModels.h"
#include "facts/FactLevel.h"
#include "facts/FactState.h"
#include "facts/FactTable.h"
#include "facts/LocalCalendar.h"
#include "facts/TypingCheck.h"
#include "plan/PracticePlan.h"
#include "plan/ProblemSource.h"
#include "practice/PracticeEngine.h"
#include "settings/SettingsReader.h"
#include "settings/SettingsSchema.h"
#include "settings/SettingsWriter.h"
#include "tests/support/FakePracticeView.h"
#include "tests/support/InMemorySettings.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace std::chrono;

constexpr double kRecalled = 0.9;
constexpr double kReached = 0.9;
const sys_days kFirstDay = sys_days{year{2026} / 3 / 2};
// The round of every day starts at this hour.
constexpr hours kRoundHour{16};
constexpr int kRetentionDays = 7;

// Response times in milliseconds, drawn uniformly: typing a number, and recalling a product
// before typing it. An ordinary child's answers then take 1.2–2.8 s when the product comes at
// once, 3.2–5.0 s when it comes slowly, and 2–6 s when it is wrong.
constexpr std::pair<int, int> kTypingTime{800, 1200};
constexpr std::pair<int, int> kFastRecall{400, 1600};
constexpr std::pair<int, int> kSlowRecall{2400, 3800};
constexpr std::pair<int, int> kFailedRecall{1200, 4800};

using WallClock = std::function<WallTime()>;

std::unique_ptr<Memory> MakeMemory(MemoryKind kind) {
    if (kind == MemoryKind::Fsrs45) {
        return std::make_unique<Fsrs45Memory>();
    }
    return std::make_unique<ActrMemory>();
}

// Every answer the engine reports, stamped with the simulated wall clock, the oldest first, and
// the newest typing check.
class Journal final : public AnswerRecorder {
public:
    explicit Journal(WallClock now)
        : now_(std::move(now)) {}

    void RoundStarted(const RoundFacts&) override {}
    void Answered(const AnsweredProblem& answer) override {
        answers.push_back({now_(), answer});
        byFact.at(FactIndex(answer.Problem())).push_back(answers.back());
    }
    void TypingChecked(const std::vector<TypedNumber>& numbers) override {
        newestCheck = TypingCheck{now_(), numbers};
    }

    std::vector<RecordedAnswer> answers;
    std::array<std::vector<RecordedAnswer>, kFacts> byFact;
    std::optional<TypingCheck> newestCheck;

private:
    WallClock now_;
};

// Plans from the journal in memory as JournalProblemSource does from the file.
class JournalPlan final : public ProblemSource {
public:
    JournalPlan(const Journal& journal, const SettingsSource& settings, WallClock now)
        : journal_(journal)
        , settings_(settings)
        , now_(std::move(now)) {}

    bool TypingCheckDue() override {
        LocalCalendar calendar;
        const auto& newest = journal_.newestCheck;
        return ::TypingCheckDue(newest ? std::optional(calendar.DayOf(newest->checkedAt))
                                       : std::nullopt,
                                calendar.DayOf(now_()));
    }

    std::optional<std::vector<PlannedProblem>> PlanRound(const RowSwitches& rows,
                                                         std::int32_t problemTotal,
                                                         RandomGenerator& random) override {
        const milliseconds threshold =
            ChildThreshold(settings::ReadThreshold(settings_), journal_.newestCheck);
        return ::PlanRound(ProgressOf(journal_.answers, threshold), rows, problemTotal,
                           LocalCalendar().DayOf(now_()), random);
    }

private:
    const Journal& journal_;
    const SettingsSource& settings_;
    WallClock now_;
};

// The engine's own draw, handed in as a plan so that the engine corrects mistakes. It is no
// "Gezielt üben", so it asks for no typing check.
class DrawnPlan final : public ProblemSource {
public:
    bool TypingCheckDue() override { return false; }
    std::optional<std::vector<PlannedProblem>> PlanRound(const RowSwitches& rows,
                                                         std::int32_t problemTotal,
                                                         RandomGenerator& random) override {
        std::vector<PlannedProblem> plan;
        Fact last{};
        for (std::int32_t i = 0; i < problemTotal; ++i) {
            Fact fact;
            do {
                fact.row = static_cast<int>(random.Next(kRows)) + 1;
                fact.multiplier = static_cast<int>(random.Next(kMultipliers)) + 1;
            } while (!RowOn(rows, fact.row) || fact == last);
            plan.push_back({fact, PlannedKind::Fill});
            last = fact;
        }
        return plan;
    }
};

bool NeedsPractice(const FactProgress& progress, sys_days today) {
    return StandingOf(progress, today).need != FactNeed::Resting;
}

class Child {
public:
    Child(const Scenario& scenario, MemoryKind memory, Drill drill, double slowShare,
          std::uint32_t seed)
        : scenario_(scenario)
        , slowShare_(scenario.slowShare >= 0 ? scenario.slowShare : slowShare)
        , memory_(MakeMemory(memory))
        , journal_([this] { return Now(); })
        , random_(seed)
        , roundSeeds_(seed) {
        for (int row = scenario.firstRow; row <= scenario.lastRow; ++row) {
            for (int multiplier = 1; multiplier <= kMultipliers; ++multiplier) {
                facts_.push_back(FactIndex({multiplier, row}));
            }
        }
        Configure(drill != Drill::Drawn);
        if (drill == Drill::Planned) {
            source_ = std::make_unique<JournalPlan>(journal_, settings_, [this] { return Now(); });
        } else if (drill == Drill::DrawnWithCorrection) {
            source_ = std::make_unique<DrawnPlan>();
        }
        engine_ = std::make_unique<PracticeEngine>(
            view_, settings_, [this] { return roundSeed_; }, &journal_, [this] { return clock_; },
            source_.get());
        view_.Attach(*engine_);
        ChoosePracticeDays(seed);
        PracticeBefore(seed);
    }

    Outcome Run() {
        Outcome outcome;
        outcome.facts = static_cast<int>(facts_.size());
        int answers = 0;
        for (int day = 0; day <= scenario_.days; ++day) {
            StartDay(day);
            if (!outcome.answersTo90 && RecalledAtStart() >= kReached * outcome.facts) {
                outcome.answersTo90 = answers;
            }
            if (day == scenario_.days) {
                break;
            }
            if (!practised_.at(static_cast<std::size_t>(day))) {
                continue;
            }
            roundSeed_ = static_cast<std::uint32_t>(roundSeeds_());
            engine_->FormShow();
            TypeTheCheck();
            for (int problem = 0; problem < scenario_.problemsPerRound; ++problem) {
                Answer(outcome);
                ++answers;
            }
            view_.TakeCalls();
        }
        outcome.asked = static_cast<int>(std::count_if(
            facts_.begin(), facts_.end(), [this](std::size_t f) { return asked_.at(f); }));
        // What the Lernstand shows the day after the last one.
        const milliseconds threshold = Threshold();
        outcome.threshold = threshold.count();
        const FactTable table(journal_.answers);
        for (const std::size_t fact : facts_) {
            const bool recalled = memory_->Probability(fact, Now()) >= kRecalled;
            const bool sure = table.State(static_cast<int>(fact / kMultipliers) + 1,
                                          static_cast<int>(fact % kMultipliers) + 1,
                                          threshold) == FactState::Sure;
            outcome.recalled += recalled ? 1 : 0;
            outcome.shownSure += sure ? 1 : 0;
            outcome.shownSureRecalled += sure && recalled ? 1 : 0;
        }
        StartDay(scenario_.days - 1 + kRetentionDays);
        outcome.retained = RecalledAtStart();
        for (const std::size_t fact : facts_) {
            outcome.expected += memory_->Probability(fact, Now());
        }
        return outcome;
    }

private:
    WallTime Now() const { return dayStart_ + milliseconds(clock_ - dayStartClock_); }

    // The threshold the journal gives the child: the chosen one, grown by the newest check.
    milliseconds Threshold() const {
        return ChildThreshold(settings::ReadThreshold(settings_), journal_.newestCheck);
    }

    void Configure(bool targeted) {
        settings::DialogValues round;
        for (int row = scenario_.firstRow; row <= scenario_.lastRow; ++row) {
            round.rowsChecked.at(static_cast<std::size_t>(row - 1)) = true;
        }
        round.time = std::stoi(settings::round_defaults::kTime);
        round.total = scenario_.problemsPerRound;
        round.timer = false;
        settings::SettingsWriter writer(settings_);
        writer.SaveDialog(round);
        writer.SwitchRecording(true);
        writer.SwitchTargeted(targeted);
    }

    // The days with a round: every day, or as many of each week's days as the scenario says,
    // drawn for the child.
    void ChoosePracticeDays(std::uint32_t seed) {
        practised_.assign(static_cast<std::size_t>(scenario_.days), true);
        if (scenario_.daysPerWeek >= 7) {
            return;
        }
        std::mt19937 week(seed ^ 0x9E3779B9u);
        for (std::size_t first = 0; first < practised_.size(); first += 7) {
            std::vector<bool> days(7, false);
            std::fill_n(days.begin(), scenario_.daysPerWeek, true);
            std::shuffle(days.begin(), days.end(), week);
            for (std::size_t day = first; day < std::min(first + 7, practised_.size()); ++day) {
                practised_[day] = days[day - first];
            }
        }
    }

    // Day 0 is the first day of practice; earlier days hold the practice before.
    void StartDay(int day) {
        dayStart_ = kFirstDay + days(day) + kRoundHour;
        dayStartClock_ = clock_;
        today_ = kFirstDay + days(day);
        WatchAll();
    }

    int RecalledAtStart() const {
        return static_cast<int>(std::count_if(facts_.begin(), facts_.end(), [this](std::size_t f) {
            return memory_->Probability(f, Now()) >= kRecalled;
        }));
    }

    // The sure facts were answered right on several days before, each a step of the plan's own
    // review ladder after the one before, the newest one to fourteen days ago.
    void PracticeBefore(std::uint32_t seed) {
        std::mt19937 setup(seed);
        std::vector<std::size_t> shuffled = facts_;
        std::shuffle(shuffled.begin(), shuffled.end(), setup);
        shuffled.resize(
            static_cast<std::size_t>(scenario_.sureShare * static_cast<double>(facts_.size())));
        std::vector<std::pair<int, std::size_t>> practice;
        for (const std::size_t fact : shuffled) {
            const int answers = 3 + static_cast<int>(setup() % 3);
            int day = -1 - static_cast<int>(setup() % 14);
            for (int step = answers - 1; step >= 0; --step) {
                practice.emplace_back(day, fact);
                if (step > 0) {
                    day -= kReviewDays[step - 1];
                }
            }
        }
        std::stable_sort(practice.begin(), practice.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        int day = 0;
        for (const auto& [answerDay, fact] : practice) {
            if (answerDay != day) {
                day = answerDay;
                StartDay(day);
            }
            const Recall recall =
                scenario_.slowBefore && Chance() < slowShare_ ? Recall::Slow : Recall::Fast;
            const int time = Typing() + Uniform(recall == Recall::Fast ? kFastRecall : kSlowRecall);
            clock_ += time;
            const Fact problem{static_cast<int>(fact % kMultipliers) + 1,
                               static_cast<int>(fact / kMultipliers) + 1};
            journal_.Answered({problem.multiplier, problem.row, std::to_string(problem.Product()),
                               AnswerOutcome::Right, time});
            memory_->Answered(fact, Now(), recall);
        }
    }

    // The engine's typing check, if the round begins with one: each number typed right.
    void TypeTheCheck() {
        if (!engine_->TypingChecking()) {
            return;
        }
        while (engine_->TypingChecking()) {
            const std::string asked = view_.Text(PracticeControl::Label1);
            Advance(Typing());
            view_.Type(asked.substr(asked.find(' ') + 1) + "\r");
        }
        // The check changes the threshold, and with it what each fact needs.
        WatchAll();
    }

    void Answer(Outcome& outcome) {
        const Fact fact{engine_->LastMultiplier(), engine_->LastRow()};
        const std::size_t index = FactIndex(fact);
        asked_.at(index) = true;
        if (needing_ > 0) {
            ++outcome.whileNeeded;
            outcome.onNeeded += needs_.at(index) ? 1 : 0;
        }
        Recall recall = Recall::Failed;
        if (Chance() < memory_->Probability(index, Now())) {
            recall = Chance() < slowShare_ ? Recall::Slow : Recall::Fast;
        }
        Advance(Typing() + Uniform(recall == Recall::Fast   ? kFastRecall
                                   : recall == Recall::Slow ? kSlowRecall
                                                            : kFailedRecall));
        // A wrong answer is a neighbour in the row.
        const int typed = recall == Recall::Failed ? fact.Product() + fact.row : fact.Product();
        view_.Type(std::to_string(typed) + "\r");
        memory_->Answered(index, Now(), recall);
        Watch(index);
        if (engine_->Correcting()) {
            Advance(PracticeEngine::kCorrectionMilliseconds);
            memory_->CorrectionShown(index, Now());
        }
    }

    void WatchAll() {
        const milliseconds threshold = Threshold();
        for (const std::size_t fact : facts_) {
            Watch(fact, threshold);
        }
    }

    void Watch(std::size_t fact) { Watch(fact, Threshold()); }

    // Whether the fact needs practice by the plan's own rule, from its recorded answers and the
    // threshold the journal gives the child.
    void Watch(std::size_t fact, milliseconds threshold) {
        LevelCount count(threshold, calendar_);
        const auto& answers = journal_.byFact.at(fact);
        for (auto answer = answers.rbegin(); answer != answers.rend(); ++answer) {
            if (!count.Add(answer->answeredAt, answer->problem.outcome,
                           answer->problem.responseMilliseconds)) {
                break;
            }
        }
        const bool needs = NeedsPractice(count.Progress(), today_);
        needing_ += (needs ? 1 : 0) - (needs_.at(fact) ? 1 : 0);
        needs_.at(fact) = needs;
    }

    void Advance(std::int64_t milliseconds) {
        clock_ += milliseconds;
        view_.Advance(milliseconds);
    }

    double Chance() { return std::uniform_real_distribution<double>(0, 1)(random_); }

    int Uniform(std::pair<int, int> range) {
        return std::uniform_int_distribution<int>(range.first, range.second)(random_);
    }

    // The time to type one number, for this child.
    int Typing() { return Uniform(kTypingTime) + scenario_.slowerTyping; }

    const Scenario& scenario_;
    double slowShare_;
    std::unique_ptr<Memory> memory_;
    Journal journal_;
    // The child's luck, and the rounds' seeds: one a day, the same for every drill.
    std::mt19937_64 random_;
    std::mt19937 roundSeeds_;
    std::vector<std::size_t> facts_;
    std::vector<bool> practised_;
    InMemorySettings settings_;
    FakePracticeView view_;
    std::unique_ptr<ProblemSource> source_;
    std::unique_ptr<PracticeEngine> engine_;
    LocalCalendar calendar_;
    std::array<bool, kFacts> needs_{};
    std::array<bool, kFacts> asked_{};
    int needing_ = 0;
    std::uint32_t roundSeed_ = 0;
    // The engine's steady clock in milliseconds, and where the current day's round started on it.
    std::int64_t clock_ = 0;
    std::int64_t dayStartClock_ = 0;
    WallTime dayStart_{};
    sys_days today_{};
};

} // namespace

Outcome Simulate(const Scenario& scenario, MemoryKind memory, Drill drill, double slowShare,
                 std::uint32_t seed) {
    return Child(scenario, memory, drill, slowShare, seed).Run();
}
