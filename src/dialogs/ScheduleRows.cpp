#include "dialogs/ScheduleRows.h"

namespace {

constexpr uint32_t kLastHour = 23;
constexpr uint32_t kLastMinute = 59;
constexpr int32_t kLastAmHour = 11;
constexpr int32_t kLastPmHour = 12;
constexpr int32_t kHalfDay = 12;

bool Above(int32_t value, int32_t limit) {
    return static_cast<uint32_t>(value) > static_cast<uint32_t>(limit);
}

}  // namespace

namespace ScheduleRows {

ScheduleRow Decode(uint8_t hourByte, uint8_t minuteByte) {
    ScheduleRow row;
    const uint32_t hour = hourByte & 0x7Fu;
    if (hour > kLastHour || minuteByte > kLastMinute) {
        return row;
    }
    row.enabled = (hourByte & kEnabledBit) != 0;
    row.pm = hour >= static_cast<uint32_t>(kHalfDay);
    row.hour =
        static_cast<int32_t>(hour > static_cast<uint32_t>(kHalfDay) ? hour - kHalfDay : hour);
    row.minute = minuteByte;
    return row;
}

std::pair<uint8_t, uint8_t> Encode(const ScheduleRow& row) {
    int32_t hour = row.hour + (row.pm ? kHalfDay : 0);
    if (hour == 2 * kHalfDay) {
        hour = kHalfDay;
    }
    uint8_t hourByte = static_cast<uint8_t>(hour & 0xFF);
    if (row.enabled) {
        hourByte |= kEnabledBit;
    }
    return {hourByte, static_cast<uint8_t>(row.minute & 0xFF)};
}

int32_t ClampHour(int32_t value, bool pm) {
    if (!pm) {
        return Above(value, kLastAmHour) ? kLastAmHour : value;
    }
    if (value == 0) {
        return 1;
    }
    return Above(value, kLastPmHour) ? kLastPmHour : value;
}

int32_t ClampMinute(int32_t value) {
    return Above(value, static_cast<int32_t>(kLastMinute)) ? static_cast<int32_t>(kLastMinute)
                                                           : value;
}

bool HasEntry(const ScheduleBytes& schedule) {
    for (size_t i = 0; i + 1 < schedule.size(); i += 2) {
        if (schedule[i] != kEmptyByte || schedule[i + 1] != kEmptyByte) {
            return true;
        }
    }
    return false;
}

}  // namespace ScheduleRows
