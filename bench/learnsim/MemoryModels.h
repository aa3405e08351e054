#pragma once

#include "common/WallTime.h"
#include "facts/Fact.h"

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

// How an answer went, as the memory models take it.
enum class Recall {
    Failed, // wrong: nothing came to mind
    Slow,   // right, but not faster than the threshold
    Fast,   // right and fast
};

// A simulated child's memory of the multiplication table, one fact at FactIndex. Moments are
// handed in the order they happen.
class Memory {
public:
    virtual ~Memory() = default;

    // The probability that the fact is recalled at that moment.
    virtual double Probability(std::size_t fact, WallTime at) const = 0;
    virtual void Answered(std::size_t fact, WallTime at, Recall recall) = 0;
    // The right product has been shown after a wrong answer.
    virtual void CorrectionShown(std::size_t fact, WallTime at) = 0;
};

// FSRS-4.5 with its default weights. The first answer of a local day is a review (wrong: Again,
// slow: Hard, fast: Good); later answers that day and the correction change nothing, as FSRS-4.5
// models no same-day reviews. A fact never reviewed is not recalled.
class Fsrs45Memory final : public Memory {
public:
    static const std::array<double, 17> kWeights;

    static double Retrievability(double elapsedDays, double stability);

    double Probability(std::size_t fact, WallTime at) const override;
    void Answered(std::size_t fact, WallTime at, Recall recall) override;
    void CorrectionShown(std::size_t, WallTime) override {}

private:
    struct State {
        bool reviewed = false;
        double stability = 0;
        double difficulty = 0;
        long lastDay = 0;
    };
    std::vector<State> states_ = std::vector<State>(kFacts);
};

// The activation of one fact in Pavlik & Anderson's model: each practice lays down a trace that
// decays as a power of its age, with a decay set by the activation at the moment it was laid.
class ActivationHistory {
public:
    // A trace laid at activation m decays with c e^m + a.
    ActivationHistory(double intercept, double scale)
        : intercept_(intercept)
        , scale_(scale) {}

    // At a psychological time in seconds; minus infinity without a trace.
    double Activation(double now) const;
    void Add(double now);
    const std::vector<double>& Decays() const { return decays_; }

private:
    double intercept_;
    double scale_;
    std::vector<double> times_;
    std::vector<double> decays_;
};

// Pavlik & Anderson (2005) with their parameters. A trace is laid by every answer the child gets
// right and by every correction shown; a wrong answer without a correction lays none. Time
// between practice sessions (gaps of an hour or more) counts h times its length.
class ActrMemory final : public Memory {
public:
    // Decay intercept a, decay scale c, noise s, threshold tau, and h, the share of the time
    // between sessions that counts.
    static constexpr double kA = 0.176786766570677;
    static constexpr double kC = 0.216967308403809;
    static constexpr double kS = 0.254893976981164;
    static constexpr double kTau = -0.704205679427144;
    static constexpr double kH = 0.025;

    static double RecallProbability(double activation);

    double Probability(std::size_t fact, WallTime at) const override;
    void Answered(std::size_t fact, WallTime at, Recall recall) override;
    void CorrectionShown(std::size_t fact, WallTime at) override;

private:
    double PsychologicalTime(WallTime at) const;
    void MoveTo(WallTime at);

    std::vector<ActivationHistory> facts_ = std::vector<ActivationHistory>(kFacts, {kA, kC});
    std::optional<WallTime> last_;
    double psychological_ = 0;
};
