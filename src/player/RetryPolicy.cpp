#include "player/RetryPolicy.h"

#include <QRandomGenerator>
#include <algorithm>
#include <cmath>
#include <utility>

RetryPolicy::RetryPolicy(RandomSource random) : random_(std::move(random)) {
    if (!random_) {
        random_ = [] { return QRandomGenerator::global()->generateDouble(); };
    }
}

int RetryPolicy::NextDelayMs(qint64 playedMs) {
    if (playedMs >= kSteadyPlayMs) {
        Reset();
    }
    ++attempt_;
    // 1, 2, 4 ... s; past the cap the doubling stops before it could overflow
    double base = kFirstDelayMs;
    for (int step = 1; step < attempt_ && base < kMaxDelayMs; ++step) {
        base *= 2;
    }
    base = std::min<double>(base, kMaxDelayMs);
    const double spread = (2 * random_() - 1) * kJitter;
    return static_cast<int>(std::lround(std::min<double>(base * (1 + spread), kMaxDelayMs)));
}
