#include "journal/JournalRecorder.h"

#include "journal/JournalLocation.h"
#include "journal/SqliteError.h"

#include <exception>
#include <iostream>
#include <utility>

JournalRecorder::JournalRecorder(std::filesystem::path path, WallClock clock)
    : JournalRecorder(std::move(path), std::move(clock), std::cerr) {}

JournalRecorder::JournalRecorder(std::filesystem::path path, WallClock clock, std::ostream& errors)
    : path_(std::move(path))
    , clock_(std::move(clock))
    , errors_(errors) {}

void JournalRecorder::RoundStarted(const RoundFacts& round) noexcept {
    ForgetMovedJournal();
    roundId_.reset();
    reported_ = false;
    try {
        startedAt_ = clock_();
        round_ = round;
    } catch (const std::exception& error) {
        round_.reset();
        Report(error.what());
    }
}

void JournalRecorder::Answered(const AnsweredProblem& answer) noexcept {
    try {
        Record(answer);
    } catch (const std::exception& error) {
        Report(error.what());
    } catch (...) {
        Report("unbekannter Fehler");
    }
}

void JournalRecorder::TypingChecked(const std::vector<TypedNumber>& numbers) noexcept {
    ForgetMovedJournal();
    reported_ = false;
    try {
        const WallTime checkedAt = clock_();
        WriteWithJournal(checkedAt, [&] { journal_->AddTypingCheck(numbers, checkedAt); });
    } catch (const std::exception& error) {
        Report(error.what());
    } catch (...) {
        Report("unbekannter Fehler");
    }
}

void JournalRecorder::ForgetMovedJournal() {
    // The journal may be deleted between rounds; writing on would go into the removed file.
    // Otherwise the connection stays open, which spares each round an opening and a checkpoint.
    if (journal_ && !journal_->IsInPlace()) {
        journal_.reset();
    }
}

void JournalRecorder::Record(const AnsweredProblem& answer) {
    if (!round_) {
        return;
    }
    const WallTime answeredAt = clock_();
    WriteWithJournal(answeredAt, [&] { Write(answer, answeredAt); });
}

void JournalRecorder::WriteWithJournal(WallTime now, const std::function<void()>& write) {
    if (!journal_) {
        Open(now);
    }
    try {
        write();
    } catch (const SqliteError& error) {
        if (!error.IsDamage()) {
            throw;
        }
        // Damage that opening cannot see shows when a damaged page is written.
        journal_->KeepLogOnClose();
        journal_.reset();
        roundId_.reset();
        TellMovedAside(Journal::MoveAside(path_, now));
        Open(now);
        write();
    }
}

void JournalRecorder::Open(WallTime now) {
    journal_ = std::make_unique<Journal>(path_, now);
    if (const auto& movedAside = journal_->MovedAside()) {
        TellMovedAside(*movedAside);
    }
}

void JournalRecorder::Write(const AnsweredProblem& answer, WallTime answeredAt) {
    if (roundId_) {
        journal_->AddAnswer(*roundId_, answer, answeredAt);
    } else {
        roundId_ = journal_->AddRound(*round_, startedAt_, answer, answeredAt);
    }
}

void JournalRecorder::TellMovedAside(const std::filesystem::path& movedAside) {
    errors_ << "Kalkuno: Lernstand war beschädigt und liegt nun unter " << movedAside.string()
            << "; ein neuer wurde begonnen" << std::endl;
}

void JournalRecorder::Report(const std::string& message) noexcept {
    if (reported_) {
        return;
    }
    reported_ = true;
    try {
        errors_ << "Kalkuno: Lernstand nicht gespeichert: " << message << " (" << path_.string()
                << ")" << std::endl;
    } catch (...) {
        // A closed error stream leaves nowhere else to tell it.
    }
}

std::unique_ptr<AnswerRecorder> MakeOwnJournalRecorder() {
    try {
        return std::make_unique<JournalRecorder>(JournalPath());
    } catch (const std::exception& error) {
        std::cerr << "Kalkuno: Lernstand nicht möglich: " << error.what() << '\n';
        return nullptr;
    }
}
