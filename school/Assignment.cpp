#include "school/Assignment.h"

#include "common/ShownText.h"
#include "settings/SettingsSchema.h"

#include <algorithm>
#include <iterator>

bool Assignment::Empty() const {
    return title.empty() && !rows && !problemTotal && !targeted && !seconds;
}

bool IsAssignmentTitle(std::string_view utf8) {
    return ShowsAsItIs(utf8, kMaxTitleCharacters);
}

bool IsProblemTotal(int total) {
    return total >= settings::kTotalRange.lowest && total <= settings::kTotalRange.highest;
}

bool IsSecondsChoice(int seconds) {
    return std::find(std::begin(settings::kThresholdChoices), std::end(settings::kThresholdChoices),
                     seconds) != std::end(settings::kThresholdChoices);
}
