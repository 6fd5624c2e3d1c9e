#include "SimulatedClock.h"

#include <QTimeZone>

SimulatedClock::SimulatedClock()
    : startUtc_(QDateTime::currentDateTimeUtc()), origin_(std::chrono::steady_clock::now()) {}

QDateTime SimulatedClock::NowUtc() const {
    std::lock_guard lock(mutex_);
    return NowUtcLocked();
}

QDateTime SimulatedClock::NowService() const {
    return NowUtc().toOffsetFromUtc(kServiceOffsetSeconds);
}

double SimulatedClock::Rate() const {
    std::lock_guard lock(mutex_);
    return rate_;
}

void SimulatedClock::Set(const QDateTime& serviceTime, double rate) {
    std::lock_guard lock(mutex_);
    startUtc_ = serviceTime.toUTC();
    origin_ = std::chrono::steady_clock::now();
    rate_ = rate;
}

void SimulatedClock::SetRate(double rate) {
    std::lock_guard lock(mutex_);
    // Keep the current simulated instant so that a rate change never makes time jump.
    startUtc_ = NowUtcLocked();
    origin_ = std::chrono::steady_clock::now();
    rate_ = rate;
}

QDateTime SimulatedClock::ParseServiceTime(const QString& text) {
    const QDateTime naive = QDateTime::fromString(text, Qt::ISODate);
    if (!naive.isValid() || text.size() != 19) {
        return {};
    }
    return QDateTime(naive.date(), naive.time(), QTimeZone(kServiceOffsetSeconds));
}

QDateTime SimulatedClock::NowUtcLocked() const {
    const auto elapsed = std::chrono::steady_clock::now() - origin_;
    const double realMs = std::chrono::duration<double, std::milli>(elapsed).count();
    return startUtc_.addMSecs(static_cast<qint64>(realMs * rate_));
}
