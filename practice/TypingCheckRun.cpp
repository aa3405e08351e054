#include "practice/TypingCheckRun.h"

TypingCheckRun::TypingCheckRun(const RowSwitches& rows, RandomGenerator& random) {
    const std::vector<int> choices = CheckNumbers(rows);
    const auto count = static_cast<std::uint32_t>(choices.size());
    std::uint32_t last = count;
    for (int i = 0; i < kCheckedNumbers; ++i) {
        std::uint32_t drawn = random.Next(count);
        while (count > 1 && drawn == last) {
            drawn = random.Next(count);
        }
        numbers_.push_back(std::to_string(choices[drawn]));
        last = drawn;
    }
}

void TypingCheckRun::Enter(const std::string& typed, std::int64_t responseMilliseconds) {
    enters_.push_back({Shown(), typed, responseMilliseconds});
    if (typed == Shown()) {
        ++typedRight_;
    }
}
