#pragma once

// Told by the practice engine when a round is about to start and when one has ended, so that the
// program can prepare what the round reads and act on what it recorded. Implementations never
// throw and never show anything to the child.
class RoundObserver {
public:
    virtual ~RoundObserver() = default;

    // Before the round, or the typing check ahead of it, reads its settings; may block for a
    // moment.
    virtual void RoundStarting() = 0;
    // Once for every round that started: when its summary is shown, or when the board is closed or
    // a new round started before that.
    virtual void RoundEnded() = 0;
};
