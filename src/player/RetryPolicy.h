#pragma once

#include <QtGlobal>
#include <functional>

// How long to wait before the next attempt at a stream that failed: 1 s, then twice as long
// after every attempt that failed again, never more than 30 s, each pause shifted at random by
// up to a fifth either way so that many listeners who lost the same server do not all come back
// in the same second. A stream that played steadily before it broke off starts again from the
// first step; one that broke off soon after it began keeps the pause growing, so a server that
// accepts and drops at once is not asked again and again.
class RetryPolicy {
public:
    // Gives numbers uniform in [0, 1).
    using RandomSource = std::function<double()>;

    explicit RetryPolicy(RandomSource random = {});

    // The pause before the next attempt, after a stream that played `playedMs` (negative when
    // it never played) before it failed.
    int NextDelayMs(qint64 playedMs);
    // The attempt the last pause was for: 1 for the first after a steady stream.
    int Attempt() const { return attempt_; }
    // Back to the first step, as after a steady stream or a Stop of the listener's.
    void Reset() { attempt_ = 0; }

    static constexpr int kFirstDelayMs = 1000;
    static constexpr int kMaxDelayMs = 30000;
    static constexpr double kJitter = 0.2;
    // sound for this long came from the server itself, beyond what the engine buffered while the
    // stream opened
    static constexpr qint64 kSteadyPlayMs = 2000;

private:
    RandomSource random_;
    int attempt_ = 0;
};
