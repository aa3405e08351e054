#pragma once

#include "bench/probe/Clock.h"

#include <cstdint>
#include <deque>
#include <string>

// The drill's copies renamed into the class folder, as inotify reports them. Each round's end is
// answered by the first copy to arrive that holds every answer the journal held when the round
// ended; "arrival_ms=" tells how long after the round's last Enter that was.
class Arrivals {
public:
    Arrivals(std::string copy, std::string journal);
    ~Arrivals();
    Arrivals(const Arrivals&) = delete;
    Arrivals& operator=(const Arrivals&) = delete;

    // A round ended with the Enter pressed then; its answers are in the journal by now.
    void RoundEnded(Clock::time_point pressed);
    // Takes what arrived meanwhile, without waiting.
    void Poll();
    // Waits until every round ended has been answered, or the deadline passes; false then.
    bool AwaitAll(Clock::time_point deadline);

private:
    // Reads the events there are; true when the copy was renamed into place among them.
    bool CopyRenamed();
    void Answer(std::int64_t answers, Clock::time_point at);

    int watch_;
    std::string copy_;
    std::string journal_;
    struct Round {
        Clock::time_point pressed;
        std::int64_t answers;
    };
    std::deque<Round> waiting_;
};
