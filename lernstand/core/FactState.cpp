#include "lernstand/core/FactState.h"

#include "settings/SettingsSchema.h"

#include <algorithm>

std::chrono::milliseconds FluencyThreshold(const std::string& storedSeconds) {
    for (const int choice : settings::kSecondsChoices) {
        if (storedSeconds == std::to_string(choice)) {
            return std::chrono::seconds(choice);
        }
    }
    return std::chrono::seconds(settings::kSecondsDefault);
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
    // An answer that takes exactly the threshold is not faster than it.
    const bool allFast =
        std::all_of(deciding.begin(), deciding.end(), [threshold](const FactAnswer& a) {
            return a.responseMilliseconds < threshold.count();
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
