#pragma once

#include <cstdint>
#include <utility>

#include "platform/CPrefStore.h"

// One row of the schedule dialog as the listener sees it: a 12-hour time with its AM/PM choice.
struct ScheduleRow {
    bool enabled = false;
    bool pm = false;
    // as the hour field shows it: 0..11 with AM, 1..12 with PM
    int32_t hour = 0;
    int32_t minute = 0;
};

// How the nine stored schedule entries (hour byte with bit 7 as the enable flag, minute byte;
// 0xFF for an empty entry) become the dialog's rows and back.
namespace ScheduleRows {

inline constexpr int kRowCount = 9;
inline constexpr uint8_t kEnabledBit = 0x80;
inline constexpr uint8_t kEmptyByte = 0xFF;

// An entry whose hour is above 23 or minute above 59 (an empty one included) is a blank row:
// AM 0:00, unticked. Hour 0 shows as AM 0, 12 as PM 12, 13..23 as PM 1..11.
ScheduleRow Decode(uint8_t hourByte, uint8_t minuteByte);
// The entry a row stores: PM adds 12 hours, and PM 12 is noon.
std::pair<uint8_t, uint8_t> Encode(const ScheduleRow& row);

// What a field holds once it loses the focus. The typed value counts as unsigned, so a negative
// number is too large. With AM the hour is at most 11; with PM it is 1..12; a minute is at most 59.
int32_t ClampHour(int32_t value, bool pm);
int32_t ClampMinute(int32_t value);

// True when at least one entry is not the empty pair (0xFF, 0xFF).
bool HasEntry(const ScheduleBytes& schedule);

}  // namespace ScheduleRows
