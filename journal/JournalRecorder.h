#pragma once

#include "facts/AnswerRecorder.h"
#include "journal/Journal.h"
#include "journal/UtcTime.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Writes every answer of a round and every typing check to the journal at path, committed before
// Answered or TypingChecked returns. Nothing is opened or created before the first answer of a
// round or the first check; the journal then stays open for later rounds as long as the file is
// not deleted or replaced. A damaged journal, found on opening or when writing, is moved aside and
// a new one started. Any other failure costs only the answer or the check: it is told in one line
// on the error stream, once per round or check, and the round goes on.
class JournalRecorder final : public AnswerRecorder {
public:
    using WallClock = std::function<WallTime()>;

    explicit JournalRecorder(std::filesystem::path path,
                             WallClock clock = std::chrono::system_clock::now);
    JournalRecorder(std::filesystem::path path, WallClock clock, std::ostream& errors);

    void RoundStarted(const RoundFacts& round) noexcept override;
    void Answered(const AnsweredProblem& answer) noexcept override;
    void TypingChecked(const std::vector<TypedNumber>& numbers) noexcept override;

private:
    void Record(const AnsweredProblem& answer);
    // Opens the journal if need be and writes; a journal found damaged on writing is moved aside
    // and the write made again in a new one.
    void WriteWithJournal(WallTime now, const std::function<void()>& write);
    void Open(WallTime now);
    void Write(const AnsweredProblem& answer, WallTime answeredAt);
    void ForgetMovedJournal();
    void TellMovedAside(const std::filesystem::path& movedAside);
    void Report(const std::string& message) noexcept;

    std::filesystem::path path_;
    WallClock clock_;
    std::ostream& errors_;

    std::optional<RoundFacts> round_;
    WallTime startedAt_;
    std::unique_ptr<Journal> journal_;
    std::optional<std::int64_t> roundId_;
    bool reported_ = false;
};

// The recorder of the user's own journal, which is opened only when a round that records gets
// its first answer; null, told on the error stream, when there is no data folder to keep it in.
std::unique_ptr<AnswerRecorder> MakeOwnJournalRecorder();
