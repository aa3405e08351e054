#include "facts/TypingCheck.h"

#include <algorithm>

namespace {

using std::chrono::milliseconds;

constexpr milliseconds kTypingAllowed{1000};
constexpr milliseconds kMostAdded{6000};

} // namespace

std::optional<milliseconds> TypingTime(std::span<const TypedNumber> numbers) {
    std::vector<std::int64_t> times;
    for (const TypedNumber& number : numbers) {
        if (number.typed == number.shown) {
            times.push_back(number.responseMilliseconds);
        }
    }
    if (times.empty()) {
        return std::nullopt;
    }
    const auto middle = times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2);
    std::nth_element(times.begin(), middle, times.end());
    return milliseconds(*middle);
}

milliseconds ChildThreshold(milliseconds chosen, std::optional<milliseconds> typingTime) {
    if (!typingTime) {
        return chosen;
    }
    return chosen + std::clamp(*typingTime - kTypingAllowed, milliseconds(0), kMostAdded);
}

milliseconds ChildThreshold(milliseconds chosen, const std::optional<TypingCheck>& newest) {
    return ChildThreshold(chosen, newest ? TypingTime(newest->numbers) : std::nullopt);
}

bool TypingCheckDue(std::optional<std::chrono::sys_days> newestCheckDay,
                    std::chrono::sys_days today) {
    return !newestCheckDay || today - *newestCheckDay >= std::chrono::days(kTypingCheckDays);
}

std::vector<int> CheckNumbers(const RowSwitches& rows) {
    std::vector<int> numbers;
    ForEachFact([&](Fact fact) {
        if (RowOn(rows, fact.row) && fact.Product() >= 10 && fact.Product() <= 99) {
            numbers.push_back(fact.Product());
        }
    });
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}
