#pragma once

#include <QDateTime>

#include <chrono>
#include <mutex>

// The station's notion of "now". It starts at a chosen moment of the service's local time
// (Korea, GMT + 9, no daylight saving) and runs at a chosen rate, so a test can reach 05:00 or a
// scheduled minute in seconds. Every time the station shows (the Date: header, the ticker
// window, the program on air, the clock in the video) comes from here.
class SimulatedClock {
public:
    static constexpr int kServiceOffsetSeconds = 9 * 3600;

    // Runs from the real current time at rate 1.
    SimulatedClock();

    QDateTime NowUtc() const;
    // The same instant as the service's wall clock (GMT + 9).
    QDateTime NowService() const;
    double Rate() const;

    // serviceTime: wall-clock date and time in the service's zone.
    void Set(const QDateTime& serviceTime, double rate);
    void SetRate(double rate);

    // "2007-07-01T09:00:00" read as the service's wall-clock time; invalid when malformed.
    static QDateTime ParseServiceTime(const QString& text);

private:
    QDateTime NowUtcLocked() const;

    mutable std::mutex mutex_;
    QDateTime startUtc_;
    std::chrono::steady_clock::time_point origin_;
    double rate_ = 1.0;
};
