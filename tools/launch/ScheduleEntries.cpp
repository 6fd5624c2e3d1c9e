#include "ScheduleEntries.h"

#include <QDateTime>
#include <QTimeZone>
#include <algorithm>

namespace {
constexpr uint8_t kEnabledBit = 0x80;
constexpr uint8_t kEmptyEntry = 0xFF;
}  // namespace

ScheduleEntries::ScheduleEntries(const ScheduleBytes& bytes) {
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const uint8_t hourByte = bytes[i];
        const uint8_t minute = bytes[i + 1];
        if (hourByte == kEmptyEntry || minute == kEmptyEntry || !(hourByte & kEnabledBit)) {
            continue;
        }
        const int hour = hourByte - kEnabledBit;
        if (hour > 23 || minute > 59) {
            continue;
        }
        const QTime due(hour, minute);
        if (std::find(dueTimes_.begin(), dueTimes_.end(), due) == dueTimes_.end()) {
            dueTimes_.push_back(due);
        }
    }
}

std::vector<QTime> ScheduleEntries::StartTimesUtc() const {
    std::vector<QTime> starts;
    for (const QTime& due : dueTimes_) {
        // QTime wraps around midnight: 00:00 on the service's clock is 14:59 UTC the day before
        starts.push_back(due.addSecs(-kStartLeadSeconds - kServiceUtcOffsetSeconds));
    }
    return starts;
}

std::vector<QTime> ScheduleEntries::StartTimesLocal() const {
    std::vector<QTime> starts;
    const QDate today = QDate::currentDate();
    for (const QTime& utc : StartTimesUtc()) {
        starts.push_back(QDateTime(today, utc, QTimeZone::utc()).toLocalTime().time());
    }
    return starts;
}
