#include "windows/SleepTimer.h"

#include <algorithm>

#include "windows/StreamControl.h"

SleepTimer::SleepTimer(StreamControl& stream, QObject* parent) : QObject(parent), stream_(stream) {
    fadeStart_.setSingleShot(true);
    connect(&fadeStart_, &QTimer::timeout, this, &SleepTimer::BeginFade);
    fadeStep_.setInterval(kFadeStepMs);
    connect(&fadeStep_, &QTimer::timeout, this, &SleepTimer::FadeStep);
}

void SleepTimer::Start(qint64 afterMs) {
    Cancel();
    afterMs = std::max<qint64>(0, afterMs);
    fadeMs_ = std::min(afterMs, kFadeMs);
    fadeStart_.start(static_cast<int>(afterMs - fadeMs_));
}

void SleepTimer::Cancel() {
    fadeStart_.stop();
    fadeStep_.stop();
    stream_.SetFade(1.0);
}

void SleepTimer::BeginFade() {
    fadeClock_.start();
    fadeStep_.start();
    FadeStep();
}

void SleepTimer::FadeStep() {
    const qint64 elapsed = fadeClock_.elapsed();
    if (elapsed < fadeMs_) {
        stream_.SetFade(1.0 - static_cast<double>(elapsed) / static_cast<double>(fadeMs_));
        return;
    }
    fadeStep_.stop();
    stream_.SetFade(0.0);
    stream_.Stop();
    // the next Play is heard at the listener's volume
    stream_.SetFade(1.0);
    emit ended();
}
