#include "bench/learnsim/MemoryModels.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

namespace {

// FSRS-4.5's forgetting curve: R = 0.9 when t = S.
constexpr double kDecay = -0.5;
constexpr double kFactor = 19.0 / 81.0;

enum Grade { Again = 1, Hard = 2, Good = 3 };

Grade GradeOf(Recall recall) {
    switch (recall) {
    case Recall::Failed:
        return Again;
    case Recall::Slow:
        return Hard;
    case Recall::Fast:
        break;
    }
    return Good;
}

// The clock runs in UTC here, so the UTC day is the local day the plan sees.
long DayOf(WallTime at) {
    return std::chrono::floor<std::chrono::days>(at).time_since_epoch().count();
}

double ClampDifficulty(double difficulty) {
    return std::clamp(difficulty, 1.0, 10.0);
}

constexpr double kSessionGapSeconds = 3600;
// Ages below this would make a trace's strength unbounded; ACT-R uses the same floor.
constexpr double kShortestAge = 0.05;

} // namespace

// The defaults of FSRS-4.5 as published in fsrs-rs, ts-fsrs 3.x and go-fsrs.
const std::array<double, 17> Fsrs45Memory::kWeights = {
    0.5701, 1.4436, 4.1386, 10.9355, 5.1443, 1.2006, 0.8627, 0.0362, 1.629,
    0.1342, 1.0166, 2.1174, 0.0839,  0.3204, 1.4676, 0.219,  2.8237};

double Fsrs45Memory::Retrievability(double elapsedDays, double stability) {
    return std::pow(1 + kFactor * elapsedDays / stability, kDecay);
}

double Fsrs45Memory::Probability(std::size_t fact, WallTime at) const {
    const State& state = states_.at(fact);
    if (!state.reviewed) {
        return 0;
    }
    return Retrievability(static_cast<double>(DayOf(at) - state.lastDay), state.stability);
}

void Fsrs45Memory::Answered(std::size_t fact, WallTime at, Recall recall) {
    const auto& w = kWeights;
    State& state = states_.at(fact);
    const long day = DayOf(at);
    const int grade = GradeOf(recall);
    if (!state.reviewed) {
        state = {true, std::max(w[static_cast<std::size_t>(grade - 1)], 0.1),
                 ClampDifficulty(w[4] - (grade - Good) * w[5]), day};
        return;
    }
    if (day == state.lastDay) {
        return;
    }
    const double s = state.stability;
    const double d = state.difficulty;
    const double r = Retrievability(static_cast<double>(day - state.lastDay), s);
    // Both stabilities use the difficulty from before the review.
    const double stability =
        grade == Again
            ? w[11] * std::pow(d, -w[12]) * (std::pow(s + 1, w[13]) - 1) * std::exp((1 - r) * w[14])
            : s * (1 + std::exp(w[8]) * (11 - d) * std::pow(s, -w[9]) *
                           (std::exp((1 - r) * w[10]) - 1) * (grade == Hard ? w[15] : 1));
    state.difficulty = ClampDifficulty(w[7] * w[4] + (1 - w[7]) * (d - w[6] * (grade - Good)));
    state.stability = std::clamp(stability, 0.1, 36500.0);
    state.lastDay = day;
}

double ActivationHistory::Activation(double now) const {
    if (times_.empty()) {
        return -std::numeric_limits<double>::infinity();
    }
    double strength = 0;
    for (std::size_t i = 0; i < times_.size(); ++i) {
        strength += std::pow(std::max(now - times_[i], kShortestAge), -decays_[i]);
    }
    return std::log(strength);
}

void ActivationHistory::Add(double now) {
    // With no trace yet the activation is minus infinity and the decay is a.
    decays_.push_back(scale_ * std::exp(Activation(now)) + intercept_);
    times_.push_back(now);
}

double ActrMemory::RecallProbability(double activation) {
    return 1 / (1 + std::exp((kTau - activation) / kS));
}

double ActrMemory::PsychologicalTime(WallTime at) const {
    if (!last_) {
        return psychological_;
    }
    const double gap = std::chrono::duration<double>(at - *last_).count();
    return psychological_ + (gap >= kSessionGapSeconds ? kH : 1.0) * gap;
}

void ActrMemory::MoveTo(WallTime at) {
    psychological_ = PsychologicalTime(at);
    last_ = at;
}

double ActrMemory::Probability(std::size_t fact, WallTime at) const {
    return RecallProbability(facts_.at(fact).Activation(PsychologicalTime(at)));
}

void ActrMemory::Answered(std::size_t fact, WallTime at, Recall recall) {
    MoveTo(at);
    if (recall != Recall::Failed) {
        facts_.at(fact).Add(psychological_);
    }
}

void ActrMemory::CorrectionShown(std::size_t fact, WallTime at) {
    MoveTo(at);
    facts_.at(fact).Add(psychological_);
}
