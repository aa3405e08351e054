#pragma once

#include "common/WallTime.h"
#include "school/HandInPlace.h"
#include "school/ShareAccess.h"

#include <chrono>
#include <functional>
#include <iosfwd>
#include <memory>
#include <thread>

// How long closing the drill waits for its last copy to reach the class folder.
inline constexpr std::chrono::milliseconds kClosingWait{250};

// Hands the child's journal in to the class folder off the caller's thread. One copy runs at a
// time; a request while one runs makes exactly one more afterwards, of the newest place asked
// for. A failed copy is never the child's problem: nothing is thrown, one line goes to the error
// stream, and the next request tries again. The outcome of every try is kept in the status file
// beside the journal (HandInStatus). No thread runs before the first request, and none wakes up
// while nothing is asked; the copies run at the lowest priority, so that the caller's thread
// never waits for the processor behind them.
class HandIn {
public:
    using WallClock = std::function<WallTime()>;

    // errors must outlive the object.
    HandIn(std::shared_ptr<ShareAccess> share, std::ostream& errors,
           WallClock clock = std::chrono::system_clock::now);
    // Returns at once: a copy still under way is left to finish on its own, unheard.
    ~HandIn();
    HandIn(const HandIn&) = delete;
    HandIn& operator=(const HandIn&) = delete;

    // Asks for a copy and returns at once.
    void Request(const HandInPlace& place);

    // Waits at most wait for every copy asked for; true when they are done. When they are not, a
    // line tells so and the status says NoAnswer: a copy cut short by the drill's end leaves only
    // its temporary file, never a part under the copy's name.
    bool Finish(std::chrono::milliseconds wait);

private:
    struct Shared;
    static void Work(const std::shared_ptr<Shared>& shared);

    std::shared_ptr<Shared> shared_;
    std::thread worker_;
};
