#pragma once

#include <cstdint>
#include <optional>

// A child's situation: the rows practised, how much of them sits from earlier practice, and how
// long the child practises, one round a day.
struct Scenario {
    const char* name;
    int firstRow;
    int lastRow;
    // The share of the facts the child has practised before: right and fast on several days.
    double sureShare;
    int days;
    int problemsPerRound;
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
};

// One child through every day of the scenario: the real engine asks, the memory model answers.
// A recalled answer is slow (right, but not faster than the threshold) with the given share. The
// seed decides the child's prior practice, the rounds' seeds and the child's luck alike for every
// drill and model.
Outcome Simulate(const Scenario& scenario, MemoryKind memory, Drill drill, double slowShare,
                 std::uint32_t seed);
