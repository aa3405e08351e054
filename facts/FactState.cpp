#include "facts/FactState.h"

#include <algorithm>

bool RightAndFast(AnswerOutcome outcome, std::int64_t responseMilliseconds,
                  std::chrono::milliseconds threshold) {
    return outcome == AnswerOutcome::Right && responseMilliseconds < threshold.count();
}

FactState StateOf(std::span<const FactAnswer> newestFirst, std::chrono::milliseconds threshold) {
    const auto deciding = newestFirst.first(std::min(newestFirst.size(), kDecidingAnswers));
    if (deciding.empty()) {
        return FactState::New;
    }
    if (std::any_of(deciding.begin(), deciding.end(),
                    [](const FactAnswer& a) { return a.outcome != AnswerOutcome::Right; })) {
        return FactState::Practise;
    }
    const bool allFast =
        std::all_of(deciding.begin(), deciding.end(), [threshold](const FactAnswer& a) {
            return RightAndFast(a.outcome, a.responseMilliseconds, threshold);
        });
    return deciding.size() == kDecidingAnswers && allFast ? FactState::Sure : FactState::AlmostSure;
}

std::string_view StateName(FactState state) {
    switch (state) {
    case FactState::New:
        return "neu";
    case FactState::Practise:
        return "üben";
    case FactState::AlmostSure:
        return "fast sicher";
    case FactState::Sure:
        return "sicher";
    }
    return {};
}
