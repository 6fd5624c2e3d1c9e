#pragma once

#include <QTime>
#include <vector>

#include "platform/CPrefStore.h"

// The saved schedule read as the times at which quilo has to be running. An entry counts when
// its enable bit (bit 7 of the hour byte) is set and it names a real time of day (hour 0..23,
// minute 0..59): empty entries (0xFF), disabled ones and out-of-range ones never play, so they
// start nothing either. A time named by two entries is one start.
class ScheduleEntries {
public:
    explicit ScheduleEntries(const ScheduleBytes& bytes);

    // The times playback is due, on the service's clock, in entry order.
    const std::vector<QTime>& DueTimes() const { return dueTimes_; }

    // When to start quilo for each due time, as times of day in UTC. The start comes a minute
    // early: quilo started with "/a" only logs in and waits in the tray, and playback begins when
    // its own reading of the service's clock reaches the minute, so start-up and log-in must be
    // over by then.
    std::vector<QTime> StartTimesUtc() const;
    // The same starts in this computer's time zone, at its offset from UTC of today: for
    // schedulers that know no other zone. A later change of that offset (daylight saving)
    // shifts them until the schedule is saved again.
    std::vector<QTime> StartTimesLocal() const;

    // The service's clock runs at UTC+9 all year round (no daylight saving).
    static constexpr int kServiceUtcOffsetSeconds = 9 * 3600;
    static constexpr int kStartLeadSeconds = 60;

private:
    std::vector<QTime> dueTimes_;
};
