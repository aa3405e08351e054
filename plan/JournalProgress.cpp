#include "plan/JournalProgress.h"

#include "journal/JournalReader.h"

JournalProgress ReadJournalProgress(const std::filesystem::path& journal, const RowSwitches& rows,
                                    std::chrono::milliseconds chosenThreshold) {
    JournalProgress result;
    result.threshold = chosenThreshold;
    result.reading = ReadJournalReadOnly(journal, [&](const SqliteConnection& connection) {
        result.typingCheck = ReadNewestTypingCheck(connection);
        result.threshold = ChildThreshold(chosenThreshold, result.typingCheck);
        FactAnswerReader reader(connection);
        LocalCalendar calendar;
        ForEachFact([&](Fact fact) {
            if (!RowOn(rows, fact.row)) {
                return;
            }
            LevelCount count(result.threshold, calendar);
            reader.Read(fact, [&count](const RecordedAnswer& answer) {
                return count.Add(answer.answeredAt, answer.problem.outcome,
                                 answer.problem.responseMilliseconds);
            });
            result.progress.at(FactIndex(fact)) = count.Progress();
        });
    });
    return result;
}
