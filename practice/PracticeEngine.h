#pragma once

#include "common/RandomGenerator.h"
#include "facts/AnswerRecorder.h"
#include "facts/RoundObserver.h"
#include "facts/RowsInForce.h"
#include "plan/PracticePlan.h"
#include "practice/ResponseClock.h"
#include "practice/TypingCheckRun.h"
#include "settings/SettingsReader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class PracticeView;
class ProblemSource;
class SettingsSource;

// One round of multiplication problems: draws problems from the enabled rows, runs the
// countdown, checks answers and keeps the tallies. It drives the chalkboard only through
// PracticeView and owns no window, timer or clock of its own. Conversion errors of the settings
// or of the answer field propagate to the caller, which reports them.
class PracticeEngine {
public:
    static constexpr int kSegmentCount = 20;
    static constexpr char32_t kBackspace = 8;
    static constexpr char32_t kEnter = 13;
    static constexpr char32_t kEscape = 27;
    // How long the right product stays in the answer field after a mistake.
    static constexpr int kCorrectionMilliseconds = 2000;

    // The settings are read at every round start. The recorder, if any, is told about the answers
    // of the rounds that start with recording switched on. The problem source, if any, plans the
    // rounds of "Gezielt üben" and says when such a round begins with a typing check. The round
    // observer, if any, is told when each round starts and ends.
    PracticeEngine(PracticeView& view, const SettingsSource& settings,
                   SeedClock clock = MillisecondsSinceMidnightUtc,
                   AnswerRecorder* recorder = nullptr,
                   ResponseClock responseClock = SteadyMilliseconds,
                   ProblemSource* problems = nullptr, RoundObserver* rounds = nullptr);

    // Starts a round from the stored settings, or the typing check before it; also the
    // "Noch mal..." command.
    void FormShow();
    // Presents the next problem or, once the round is exhausted, stops.
    void Aufgabe();
    // Evaluates the text in the answer field.
    void Rechne();
    // One countdown step.
    void Timer1Timer();
    // The correction after a mistake has been shown long enough.
    void Timer2Timer();
    // Filters one typed character; may replace it by a backspace or swallow it (0).
    void UserinKeyPress(char32_t& key);
    // Ends a typing check without keeping anything and starts the round; nothing otherwise.
    void Escape();
    // Stops the countdown when the window closes; never refuses the close.
    bool FormCloseQuery();
    void HideTimeBar();

    std::int32_t ProblemNumber() const { return problemNumber_; }
    std::int32_t ProblemTotal() const { return problemTotal_; }
    std::int32_t RightCount() const { return rightCount_; }
    std::int32_t WrongCount() const { return wrongCount_; }
    std::int32_t LastRow() const { return lastRow_; }
    std::int32_t LastMultiplier() const { return lastMultiplier_; }
    std::int32_t ExpectedProduct() const { return expectedProduct_; }
    std::int32_t TickCount() const { return tickCount_; }
    bool TimedMode() const { return timed_; }
    bool RowEnabled(int row) const { return RowOn(rowsOn_, row); }
    // The round's planned problems; empty while the round draws as usual.
    const std::vector<PlannedProblem>& Plan() const { return plan_; }
    bool Correcting() const { return correcting_; }
    bool TypingChecking() const { return check_.has_value(); }

private:
    // Why the field holds "1000" when Rechne runs, if the child did not type it.
    enum class NoAnswer { None, Empty, TimeOut };

    bool TypingCheckDue() const;
    void StartTypingCheck();
    void ShowCheckNumber();
    void TypeCheckNumber();
    void StartRound();
    void StartRecording();
    void PlanRound();
    void StartCorrection();
    void EndCorrection();
    void Record(const std::string& answer, bool right, NoAnswer noAnswer) const;
    void EndRound();
    // Tells the observer that the round under way, if any, has ended.
    void CloseRound();
    void DrawProblem(std::int32_t& multiplier, std::int32_t& row);
    int CountdownInterval() const;

    PracticeView& view_;
    const SettingsSource& settings_;
    SeedClock clock_;
    RandomGenerator random_;
    AnswerRecorder* const recorder_;
    ResponseClock responseClock_;
    ProblemSource* const problems_;
    RoundObserver* const rounds_;
    // A round started and its end has not been told yet.
    bool roundOpen_ = false;
    // The journal's switches as this round started, all off without a recorder.
    settings::LernstandSwitches switches_;
    // This round records and "Gezielt üben" is on.
    bool targetedRound_ = false;
    // The typing check on the board before the round, if one is.
    std::optional<TypingCheckRun> check_;
    std::int64_t checkShownAt_ = 0;
    std::vector<PlannedProblem> plan_;
    bool correcting_ = false;
    // The recorder while this round records, else null.
    AnswerRecorder* roundRecorder_ = nullptr;
    NoAnswer noAnswer_ = NoAnswer::None;
    std::int64_t problemShownAt_ = 0;

    RowSwitches rowsOn_{};
    std::int32_t problemNumber_ = 0;
    std::int32_t problemTotal_ = 0;
    std::int32_t timeSetting_ = 0;
    bool timed_ = false;
    std::int32_t lastMultiplier_ = 0;
    std::int32_t lastRow_ = 0;
    std::int32_t tickCount_ = 0;
    std::int32_t expectedProduct_ = 0;
    std::int32_t rightCount_ = 0;
    std::int32_t wrongCount_ = 0;
};
