#include "school/HandIn.h"

#include "school/HandInStatus.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <ostream>
#include <sched.h>
#include <string>
#include <system_error>
#include <unistd.h>
#include <utility>

// Owned together by the object and its worker, so that a worker left to finish at the drill's end
// still has what it works on.
struct HandIn::Shared {
    Shared(std::shared_ptr<ShareAccess> access, std::ostream& stream, WallClock wallClock)
        : share(std::move(access))
        , clock(std::move(wallClock))
        , errors(&stream) {}

    const std::shared_ptr<ShareAccess> share;
    const WallClock clock;
    std::mutex mutex;
    std::condition_variable changed;
    // Null once the object is gone: a late line then has nowhere to go.
    std::ostream* errors;
    std::optional<HandInPlace> pending;
    std::optional<HandInPlace> copying;
    bool closing = false;

    void Tell(const std::string& line) {
        if (errors != nullptr) {
            *errors << line << std::endl;
        }
    }
};

namespace {

std::string FailureLine(const HandInPlace& place, HandInProblem problem,
                        const std::string& detail) {
    std::string line = "Kalkuno: Lernstand nicht im Klassenordner abgegeben: ";
    line.append(HandInProblemText(problem));
    if (!detail.empty()) {
        line.append(" (").append(detail).append(")");
    }
    return line.append(" (").append(place.target.string()).append(")");
}

// Keeps what the status file says about the same place, for the time of the last arrival.
HandInStatus StatusBefore(const HandInPlace& place) {
    const std::optional<HandInStatus> before = ReadHandInStatus(HandInStatusPath(place.journal));
    if (before && before->target == place.target) {
        return *before;
    }
    return HandInStatus{place.target, {}, {}, HandInProblem::None, {}};
}

// The status file lies in the journal's own folder: when that cannot be written, the journal
// cannot either, and its recorder says so.
void Keep(const HandInPlace& place, HandInProblem problem, const std::string& detail, WallTime at) {
    HandInStatus status = StatusBefore(place);
    status.tried = at;
    status.problem = problem;
    status.detail = detail;
    if (problem == HandInProblem::None) {
        status.arrived = at;
    }
    WriteHandInStatus(HandInStatusPath(place.journal), status);
}

// One copy; nullopt when there was nothing recorded to hand in yet, which is no failure.
std::optional<JournalCopy> CopyOnce(ShareAccess& share, const HandInPlace& place) {
    JournalCopy made;
    try {
        made = share.Copy(place.journal, place.target);
    } catch (const std::exception& error) {
        made = {JournalCopy::Problem::TargetFailed, error.what(), 0};
    }
    if (made.problem == JournalCopy::Problem::NothingRecorded) {
        return std::nullopt;
    }
    return made;
}

} // namespace

// The status is written under the lock, so that Finish's word on a copy cut short comes before
// the copy's own, should it finish after all.
void HandIn::Work(const std::shared_ptr<Shared>& shared) {
    // The copy runs only when the processor has nothing else to do, and gives way at once when the
    // child's round needs it: a copy may come a moment later, the next problem may not. Where the
    // system refuses, the copy runs as the rest of the program does.
    const sched_param idle{};
    sched_setscheduler(gettid(), SCHED_IDLE, &idle);
    std::unique_lock lock(shared->mutex);
    for (;;) {
        shared->changed.wait(lock, [&] { return shared->pending || shared->closing; });
        if (!shared->pending) {
            return;
        }
        shared->copying = std::exchange(shared->pending, std::nullopt);
        const HandInPlace place = *shared->copying;
        lock.unlock();
        const std::optional<JournalCopy> made = CopyOnce(*shared->share, place);
        lock.lock();
        if (made) {
            const HandInProblem problem = ProblemOfCopy(made->problem);
            Keep(place, problem, made->detail, shared->clock());
            if (problem != HandInProblem::None) {
                shared->Tell(FailureLine(place, problem, made->detail));
            }
        }
        shared->copying.reset();
        shared->changed.notify_all();
    }
}

HandIn::HandIn(std::shared_ptr<ShareAccess> share, std::ostream& errors, WallClock clock)
    : shared_(std::make_shared<Shared>(std::move(share), errors, std::move(clock))) {}

HandIn::~HandIn() {
    bool busy = false;
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->closing = true;
        busy = shared_->pending || shared_->copying;
        if (busy) {
            shared_->errors = nullptr;
        }
    }
    shared_->changed.notify_all();
    if (!worker_.joinable()) {
        return;
    }
    if (busy) {
        worker_.detach();
    } else {
        worker_.join();
    }
}

void HandIn::Request(const HandInPlace& place) {
    const std::lock_guard lock(shared_->mutex);
    if (!worker_.joinable()) {
        try {
            worker_ = std::thread(Work, shared_);
        } catch (const std::system_error& error) {
            shared_->Tell(FailureLine(place, HandInProblem::FolderFailed, error.what()));
            return;
        }
    }
    shared_->pending = place;
    shared_->changed.notify_all();
}

bool HandIn::Finish(std::chrono::milliseconds wait) {
    std::unique_lock lock(shared_->mutex);
    if (shared_->changed.wait_for(lock, wait,
                                  [&] { return !shared_->pending && !shared_->copying; })) {
        return true;
    }
    const HandInPlace unfinished = shared_->pending ? *shared_->pending : *shared_->copying;
    Keep(unfinished, HandInProblem::NoAnswer, {}, shared_->clock());
    shared_->Tell(FailureLine(unfinished, HandInProblem::NoAnswer, {}));
    return false;
}
