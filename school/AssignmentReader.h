#pragma once

#include "school/AssignmentInForce.h"
#include "school/ShareAccess.h"

#include <chrono>
#include <cstdint>
#include <memory>

// How long a round start waits for the class folder before it goes on without it.
inline constexpr std::chrono::milliseconds kRoundStartWait{300};

// Reads the assignment in force at each round start without letting a slow share hold the round
// up. The read runs on a thread of its own, one at a time; a read that takes longer than the round
// waits goes on and is what the next round start finds, and a share that never answers costs one
// blocked thread, not the drill. Used from one thread.
class AssignmentReader {
public:
    explicit AssignmentReader(std::shared_ptr<ShareAccess> share);
    // Returns at once; a read still under way finishes on its own.
    ~AssignmentReader();
    AssignmentReader(const AssignmentReader&) = delete;
    AssignmentReader& operator=(const AssignmentReader&) = delete;

    struct Refreshed {
        AssignmentInForce inForce;
        // Read at this call; false when the last assignment read stands in, or none.
        bool readNow = false;
    };

    // Starts a read of place, unless one is still under way, and waits for it at most wait. What
    // that read found, else the last assignment read of the same place during this run, else none.
    Refreshed Refresh(const AssignmentPlace& place, std::chrono::milliseconds wait);

private:
    struct Shared;
    // The read numbered number, on its own thread.
    static void Read(const std::shared_ptr<Shared>& shared, const AssignmentPlace& place,
                     std::uint64_t number);

    std::shared_ptr<Shared> shared_;
};
