#include "practice/PracticeEngine.h"

#include "common/IntegerConversion.h"
#include "plan/ProblemSource.h"
#include "practice/PracticeView.h"
#include "settings/SettingsReader.h"

#include <limits>
#include <utility>

namespace {

// Stands for "no answer"; no product of the table can equal it.
const std::string kNoAnswer = "1000";
constexpr int kSegmentsBeforeTimeOut = 20;

bool IsDigit(char32_t key) {
    return key >= U'0' && key <= U'9';
}

} // namespace

PracticeEngine::PracticeEngine(PracticeView& view, const SettingsSource& settings, SeedClock clock,
                               AnswerRecorder* recorder, ResponseClock responseClock,
                               ProblemSource* problems, RoundObserver* rounds)
    : view_(view)
    , settings_(settings)
    , clock_(std::move(clock))
    , recorder_(recorder)
    , responseClock_(std::move(responseClock))
    , problems_(problems)
    , rounds_(rounds) {}

void PracticeEngine::FormShow() {
    CloseRound();
    EndCorrection();
    view_.SetVisible(PracticeControl::Button2, false);
    view_.SetVisible(PracticeControl::Image2, false);
    HideTimeBar();

    lastMultiplier_ = 0;
    lastRow_ = 0;

    for (const auto control :
         {PracticeControl::Label5, PracticeControl::Label1, PracticeControl::Label2,
          PracticeControl::Label3, PracticeControl::Label4}) {
        view_.SetVisible(control, false);
    }

    rightCount_ = 0;
    wrongCount_ = 0;
    problemNumber_ = 0;
    roundRecorder_ = nullptr;
    targetedRound_ = false;

    random_.SetSeed(clock_());

    if (rounds_ != nullptr) {
        rounds_->RoundStarting();
    }
    const settings::RoundSettings round = settings::ReadRoundSettings(settings_);
    rowsOn_ = round.rows;
    timeSetting_ = round.stepTenths;
    problemTotal_ = round.problemTotal;
    timed_ = round.timed;
    check_.reset();
    switches_ = recorder_ != nullptr ? settings::ReadLernstandSwitches(settings_)
                                     : settings::LernstandSwitches{};
    if (TypingCheckDue()) {
        StartTypingCheck();
        return;
    }
    StartRound();
}

bool PracticeEngine::TypingCheckDue() const {
    // Only a round that would be planned begins with a check.
    return switches_.recording && switches_.targeted && problems_ != nullptr &&
           problemTotal_ >= 1 && problemTotal_ <= kMostPlanned && problems_->TypingCheckDue();
}

void PracticeEngine::StartTypingCheck() {
    check_.emplace(rowsOn_, random_);
    view_.SetVisible(PracticeControl::Userin, true);
    view_.SetVisible(PracticeControl::Label1, true);
    view_.SetVisible(PracticeControl::Label4, true);
    ShowCheckNumber();
}

void PracticeEngine::ShowCheckNumber() {
    view_.SetText(PracticeControl::Label4, "Zahl " + std::to_string(check_->Position()) + " von " +
                                               std::to_string(kCheckedNumbers));
    view_.SetText(PracticeControl::Label1, "Tippe: " + check_->Shown());
    view_.FocusUserin();
    checkShownAt_ = responseClock_();
}

void PracticeEngine::TypeCheckNumber() {
    const std::string typed = view_.UserinText();
    view_.SetText(PracticeControl::Userin, "");
    check_->Enter(typed, responseClock_() - checkShownAt_);
    if (!check_->Done()) {
        // A number typed wrongly is asked again, and only the time of the right one counts.
        ShowCheckNumber();
        return;
    }
    recorder_->TypingChecked(check_->Enters());
    check_.reset();
    StartRound();
}

void PracticeEngine::Escape() {
    if (!check_) {
        return;
    }
    check_.reset();
    view_.SetText(PracticeControl::Userin, "");
    StartRound();
}

void PracticeEngine::StartRound() {
    roundOpen_ = true;
    StartRecording();
    PlanRound();
    Aufgabe();
}

void PracticeEngine::Aufgabe() {
    view_.SetVisible(PracticeControl::Image2, false);

    if (TimedMode()) {
        tickCount_ = 0;
        view_.SetTimerInterval(CountdownInterval());
        view_.SetTimerEnabled(true);
    } else {
        HideTimeBar();
    }

    view_.SetVisible(PracticeControl::Userin, true);
    view_.SetVisible(PracticeControl::Label1, true);
    view_.SetVisible(PracticeControl::Label4, true);

    ++problemNumber_;
    view_.SetText(PracticeControl::Label4, "Aufgabe " + std::to_string(problemNumber_) + " von " +
                                               std::to_string(problemTotal_));

    // Only a stored total of 0 gets here: there is nothing to ask.
    if (std::int64_t{problemNumber_} == std::int64_t{problemTotal_} + 1) {
        view_.SetVisible(PracticeControl::Userin, false);
        view_.SetVisible(PracticeControl::Label1, false);
        view_.SetVisible(PracticeControl::Label4, false);
        HideTimeBar();
        view_.SetTimerEnabled(false);
        return;
    }

    std::int32_t multiplier = 0;
    std::int32_t row = 0;
    if (static_cast<std::size_t>(problemNumber_) <= plan_.size()) {
        const Fact planned = plan_[static_cast<std::size_t>(problemNumber_ - 1)].fact;
        multiplier = planned.multiplier;
        row = planned.row;
    } else {
        DrawProblem(multiplier, row);
    }
    lastMultiplier_ = multiplier;
    lastRow_ = row;
    expectedProduct_ = multiplier * row;

    // Shown again although shown above: the repeat belongs to the design's call sequence.
    view_.SetVisible(PracticeControl::Label1, true);
    view_.SetText(PracticeControl::Label1, FactText({multiplier, row}) + " = ");
    view_.FocusUserin();
    HideTimeBar();
    if (roundRecorder_ != nullptr) {
        problemShownAt_ = responseClock_();
    }
}

void PracticeEngine::StartRecording() {
    if (!switches_.recording) {
        return;
    }
    targetedRound_ = switches_.targeted;
    RoundFacts round;
    round.problemTotal = problemTotal_;
    round.timed = TimedMode() && CountdownInterval() > 0;
    round.stepTenths = timeSetting_;
    round.rows = RowList(rowsOn_);
    roundRecorder_ = recorder_;
    roundRecorder_->RoundStarted(round);
}

void PracticeEngine::PlanRound() {
    plan_.clear();
    if (!targetedRound_ || problems_ == nullptr) {
        return;
    }
    if (auto plan = problems_->PlanRound(rowsOn_, problemTotal_, random_)) {
        plan_ = std::move(*plan);
    }
}

void PracticeEngine::Record(const std::string& answer, bool right, NoAnswer noAnswer) const {
    // Without a problem on the board (a stored total of 0) there is nothing to record.
    if (roundRecorder_ == nullptr || lastRow_ == 0) {
        return;
    }
    AnsweredProblem answered;
    answered.multiplier = lastMultiplier_;
    answered.row = lastRow_;
    switch (noAnswer) {
    case NoAnswer::Empty:
        answered.outcome = AnswerOutcome::Empty;
        break;
    case NoAnswer::TimeOut:
        answered.outcome = AnswerOutcome::TimeOut;
        break;
    case NoAnswer::None:
        answered.answer = answer;
        answered.outcome = right ? AnswerOutcome::Right : AnswerOutcome::Wrong;
        break;
    }
    answered.responseMilliseconds = responseClock_() - problemShownAt_;
    roundRecorder_->Answered(answered);
}

void PracticeEngine::DrawProblem(std::int32_t& multiplier, std::int32_t& row) {
    bool enabled = false;
    do {
        row = static_cast<std::int32_t>(random_.Next(kRows)) + 1;
        enabled = RowEnabled(row);
        multiplier = static_cast<std::int32_t>(random_.Next(kMultipliers)) + 1;
    } while (!enabled || (multiplier == lastMultiplier_ && row == lastRow_));
}

void PracticeEngine::Rechne() {
    // Taken first, so an answer the conversion refuses cannot leave it for the next one.
    const NoAnswer noAnswer = std::exchange(noAnswer_, NoAnswer::None);
    const std::string text = view_.UserinText();
    const std::int32_t answer = StrToInt(text);
    const bool right = answer == expectedProduct_;
    if (right) {
        view_.SetVisible(PracticeControl::Label2, true);
        ++rightCount_;
        view_.SetText(PracticeControl::Label2, std::to_string(rightCount_) + " Richtig");
    } else {
        view_.SetVisible(PracticeControl::Label3, true);
        ++wrongCount_;
        view_.SetText(PracticeControl::Label3, std::to_string(wrongCount_) + " Falsch");
    }
    view_.SetText(PracticeControl::Userin, "");
    Record(text, right, noAnswer);

    if (!right && !plan_.empty()) {
        StartCorrection();
        return;
    }
    if (problemNumber_ < problemTotal_) {
        Aufgabe();
    } else {
        EndRound();
    }

    if (rightCount_ == problemTotal_) {
        view_.SetVisible(PracticeControl::Image2, true);
    }
}

void PracticeEngine::StartCorrection() {
    if (problemNumber_ < problemTotal_) {
        PlaceCorrection(plan_, static_cast<std::size_t>(problemNumber_ - 1));
    }
    correcting_ = true;
    // The countdown starts afresh with the next problem.
    view_.SetTimerEnabled(false);
    const std::string product = std::to_string(expectedProduct_);
    view_.ShowCorrection(product, FactText({lastMultiplier_, lastRow_}) + " = " + product);
    view_.SetCorrectionTimer(kCorrectionMilliseconds);
}

void PracticeEngine::EndCorrection() {
    if (!correcting_) {
        return;
    }
    correcting_ = false;
    view_.SetCorrectionTimer(0);
    view_.HideCorrection();
}

void PracticeEngine::Timer2Timer() {
    if (!correcting_) {
        return;
    }
    EndCorrection();
    if (problemNumber_ < problemTotal_) {
        Aufgabe();
    } else {
        EndRound();
    }
}

void PracticeEngine::EndRound() {
    view_.SetVisible(PracticeControl::Button2, true);
    view_.SetVisible(PracticeControl::Userin, false);
    view_.SetVisible(PracticeControl::Label1, false);
    view_.SetVisible(PracticeControl::Label4, false);
    // "Augaben" (sic) is the text users know; it stays misspelt.
    view_.SetText(PracticeControl::Label5,
                  "Von " + std::to_string(problemTotal_) + " Augaben hast Du");
    view_.SetTimerInterval(0);
    view_.SetTimerEnabled(false);
    view_.SetVisible(PracticeControl::Label5, true);
    HideTimeBar();
    CloseRound();
}

void PracticeEngine::CloseRound() {
    if (std::exchange(roundOpen_, false) && rounds_ != nullptr) {
        rounds_->RoundEnded();
    }
}

void PracticeEngine::Timer1Timer() {
    if (tickCount_ < std::numeric_limits<std::int32_t>::max()) {
        ++tickCount_;
    }
    if (tickCount_ >= 1 && tickCount_ <= kSegmentCount) {
        view_.SetSegmentVisible(tickCount_, true);
    }
    if (tickCount_ == kSegmentsBeforeTimeOut + 1) {
        HideTimeBar();
        view_.SetTimerEnabled(false);
        view_.SetText(PracticeControl::Userin, kNoAnswer);
        noAnswer_ = NoAnswer::TimeOut;
        Rechne();
    }
}

void PracticeEngine::UserinKeyPress(char32_t& key) {
    // The right product stands in the field for a moment; nothing typed may change it.
    if (correcting_) {
        key = 0;
        return;
    }
    if (check_ && key == kEscape) {
        key = 0;
        Escape();
        return;
    }
    if (key != kBackspace && key != kEnter && !IsDigit(key)) {
        view_.ShowMessage("Bitte eine Zahl eingeben!");
        key = kBackspace;
    }
    if (key == kEnter) {
        key = 0;
        view_.FocusUserin();
        if (check_) {
            TypeCheckNumber();
            return;
        }
        if (view_.UserinText().empty()) {
            view_.SetText(PracticeControl::Userin, kNoAnswer);
            noAnswer_ = NoAnswer::Empty;
        }
        HideTimeBar();
        Rechne();
    }
}

bool PracticeEngine::FormCloseQuery() {
    // A check closed before its end keeps nothing, and its round never started.
    check_.reset();
    EndCorrection();
    CloseRound();
    view_.SetTimerInterval(0);
    view_.SetTimerEnabled(false);
    view_.SetVisible(PracticeControl::Userin, false);
    HideTimeBar();
    view_.SetVisible(PracticeControl::Image2, false);
    return true;
}

void PracticeEngine::HideTimeBar() {
    for (int tag = 1; tag <= kSegmentCount; ++tag) {
        view_.SetSegmentVisible(tag, false);
    }
}

int PracticeEngine::CountdownInterval() const {
    // A negative or overflowing time setting cannot come from the settings dialog; such a round
    // runs without countdown, like a setting of 0.
    constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max() / 100;
    if (timeSetting_ < 0 || timeSetting_ > kLargest) {
        return 0;
    }
    return timeSetting_ * 100;
}
