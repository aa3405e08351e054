#pragma once

#include <cstdint>
#include <optional>

// A child's situation: the rows practised, how much of them sits from earlier practice, how long
// and how often the child practises, one round a day, and how it answers.
struct Scenario {
    const char* name;
    int firstRow;
    int lastRow;
    // The share of the facts the child has practised before: right on several days.
    double sureShare;
    int days;
    int problemsPerRound;
    // The share of recalled answers that are slow; below zero, the share the bench is given.
    double slowShare = -1;
    // The days of each week with a round, drawn at random for each child; 7 is every day.
    int daysPerWeek = 7;
    // The earlier practice was slow as often as the answers are; otherwise it was fast.
    bool slowBefore = false;
    // Milliseconds that typing a number takes beyond an ordinary child's, in answers and in the
    // typing check alike.
    int slowerTyping = 0;
};

enum class MemoryKind { Fsrs45, Actr };

enum class Drill {
    Planned,             // "Gezielt üben"
    Drawn,               // the ordinary draw
    DrawnWithCorrection, // the ordinary draw handed in as a plan, so mistakes are corrected
};

struct Outcome {
    // Problems shown while some fact of the rows needed practice (level 0, due or never
    // answered), and how many of them asked such a fact.
    int whileNeeded = 0;
    int onNeeded = 0;
    // Facts recalled with a probability of at least 0.9 a week after the last day.
    int retained = 0;
    // Facts asked at least once by the last day.
    int asked = 0;
    // The number of facts the child is expected to recall then: their probabilities summed.
    double expected = 0;
    int facts = 0;
    // The answers given before the first day that began with 90 % of the facts at 0.9.
    std::optional<int> answersTo90;
    // The day after the last one: facts the Lernstand shows as "sicher" with the child's
    // threshold, those of them at p ≥ 0.9, all facts at p ≥ 0.9.
    int shownSure = 0;
    int shownSureRecalled = 0;
    int recalled = 0;
    // The threshold the journal gives the child at the end, in milliseconds.
    std::int64_t threshold = 0;
};

// One child through every day of the scenario: the real engine asks, the memory model answers.
// A response is the time to type the number plus the time to recall it; a recalled answer is
// slow with the given share unless the scenario sets its own. The seed decides the child's prior
// practice, its days of practice, the rounds' seeds and the child's luck alike for every drill
// and model.
Outcome Simulate(const Scenario& scenario, MemoryKind memory, Drill drill, double slowShare,
                 std::uint32_t seed);
