#pragma once

#include "practice/PracticeEngine.h"
#include "practice/PracticeView.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Records every view call in order as readable text ("show Label2", "text Label4 Aufgabe 1 von
// 10", "interval 500", ...) and keeps the chalkboard's state. Its countdown timer follows the
// restart rule and runs on a fake clock that only Advance moves, as does the correction timer.
class FakePracticeView final : public PracticeView {
public:
    FakePracticeView() { segments_.fill(true); }

    // Whom the timer calls back and whose key filter Press goes through.
    void Attach(PracticeEngine& engine) { engine_ = &engine; }

    void SetVisible(PracticeControl control, bool visible) override {
        Record((visible ? "show " : "hide ") + Name(control));
        visible_[control] = visible;
    }

    void SetText(PracticeControl control, const std::string& text) override {
        Record("text " + Name(control) + " " + text);
        texts_[control] = text;
    }

    std::string UserinText() const override { return Text(PracticeControl::Userin); }

    void FocusUserin() override { Record("focus"); }

    void SetSegmentVisible(int tag, bool visible) override {
        Record((visible ? "show Shape" : "hide Shape") + std::to_string(tag));
        segments_.at(static_cast<std::size_t>(tag - 1)) = visible;
    }

    void SetTimerInterval(int milliseconds) override {
        Record("interval " + std::to_string(milliseconds));
        if (milliseconds != interval_) {
            interval_ = milliseconds;
            RestartTimer();
        }
    }

    void SetTimerEnabled(bool enabled) override {
        Record(enabled ? "enabled 1" : "enabled 0");
        if (enabled != enabled_) {
            enabled_ = enabled;
            RestartTimer();
        }
    }

    void ShowCorrection(const std::string& product, const std::string& spoken) override {
        Record("correction " + product + " / " + spoken);
        texts_[PracticeControl::Userin] = product;
    }

    void HideCorrection() override {
        Record("end correction");
        texts_[PracticeControl::Userin].clear();
    }

    void SetCorrectionTimer(int milliseconds) override {
        Record("correction timer " + std::to_string(milliseconds));
        correctionDue_ = milliseconds > 0 ? now_ + milliseconds : -1;
    }

    void ShowMessage(const std::string& text) override {
        Record("message " + text);
        if (whileMessageOpen) {
            whileMessageOpen();
        }
    }

    // Runs while a message box is open, e.g. to let timer steps arrive meanwhile.
    std::function<void()> whileMessageOpen;

    // One key typed into the answer field: through the engine's filter, then applied to the field
    // with the caret at the end. Returns the key as the filter left it.
    char32_t Press(char32_t key) {
        engine_->UserinKeyPress(key);
        std::string& field = texts_[PracticeControl::Userin];
        if (key == PracticeEngine::kBackspace) {
            if (!field.empty()) {
                field.pop_back();
            }
        } else if (key >= U' ' && key < 0x80) {
            field += static_cast<char>(key);
        } else if (key != 0) {
            throw std::logic_error("key " + std::to_string(static_cast<std::uint32_t>(key)) +
                                   " reached the field");
        }
        return key;
    }

    void Type(std::string_view keys) {
        for (const char key : keys) {
            Press(static_cast<unsigned char>(key));
        }
    }

    // Moves the fake clock on, firing one countdown step at each period boundary passed.
    // The correction timer fires once when its delay has passed.
    void Advance(std::int64_t milliseconds) {
        const std::int64_t end = now_ + milliseconds;
        for (;;) {
            const std::int64_t tick = TimerRunning() ? periodStart_ + interval_ : end + 1;
            const std::int64_t correction = correctionDue_ >= 0 ? correctionDue_ : end + 1;
            if (std::min(tick, correction) > end) {
                break;
            }
            now_ = std::min(tick, correction);
            if (correction <= tick) {
                correctionDue_ = -1;
                engine_->Timer2Timer();
            } else {
                periodStart_ = now_;
                engine_->Timer1Timer();
            }
        }
        now_ = end;
    }

    bool TimerRunning() const { return enabled_ && interval_ > 0; }
    int TimerInterval() const { return interval_; }

    bool Visible(PracticeControl control) const {
        const auto found = visible_.find(control);
        return found == visible_.end() || found->second;
    }

    std::string Text(PracticeControl control) const {
        const auto found = texts_.find(control);
        return found == texts_.end() ? std::string() : found->second;
    }

    bool SegmentVisible(int tag) const { return segments_.at(static_cast<std::size_t>(tag - 1)); }

    int VisibleSegments() const {
        return static_cast<int>(std::count(segments_.begin(), segments_.end(), true));
    }

    // What the board shows, as one line: the visible controls with their texts in the order of
    // PracticeControl, the number of visible segments and the countdown.
    std::string Board() const {
        std::string board;
        for (int index = 0; index <= static_cast<int>(PracticeControl::Button2); ++index) {
            const auto control = static_cast<PracticeControl>(index);
            if (Visible(control)) {
                const bool hasText = control <= PracticeControl::Userin;
                board += Name(control) + (hasText ? " '" + Text(control) + "'" : "") + " | ";
            }
        }
        board += "bar " + std::to_string(VisibleSegments()) + " | ";
        board += TimerRunning() ? "countdown " + std::to_string(interval_) : "no countdown";
        return board;
    }

    // Hands out the calls recorded so far and starts a fresh record.
    std::vector<std::string> TakeCalls() { return std::exchange(calls_, {}); }

    static std::string Name(PracticeControl control) {
        static constexpr std::array<std::string_view, 8> kNames = {
            "Label1", "Label2", "Label3", "Label4", "Label5", "Userin", "Image2", "Button2"};
        return std::string(kNames.at(static_cast<std::size_t>(control)));
    }

private:
    void Record(std::string call) { calls_.push_back(std::move(call)); }

    // An actual change stops the timer; if it still runs, a fresh period starts now.
    void RestartTimer() { periodStart_ = now_; }

    PracticeEngine* engine_ = nullptr;
    std::vector<std::string> calls_;
    // Everything starts visible, so a hide the engine forgets shows up in the state.
    std::map<PracticeControl, bool> visible_;
    std::map<PracticeControl, std::string> texts_;
    std::array<bool, PracticeEngine::kSegmentCount> segments_{};
    int interval_ = 0;
    bool enabled_ = false;
    std::int64_t now_ = 0;
    std::int64_t correctionDue_ = -1;
    std::int64_t periodStart_ = 0;
};
