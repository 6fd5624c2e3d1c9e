#include "content/ProgramTable.h"

#include <algorithm>

#include "platform/KeyNumbers.h"

namespace {

constexpr QByteArrayView kTimeOpen = "<BRODTIME>";
constexpr QByteArrayView kTimeClose = "</BRODTIME>";
constexpr QByteArrayView kCodeOpen = "<PROGCD>";
constexpr QByteArrayView kCodeClose = "</PROGCD>";

constexpr int kMinutesPerDay = 24 * 60;
// the broadcast day begins at 05:00; the hours before it belong to the day before
constexpr int kDayStartHour = 5;

QByteArray Between(QByteArrayView text, qsizetype begin, qsizetype end) {
    return text.sliced(begin, end - begin).toByteArray();
}

// Wide enough that no hour text, however long, overflows.
int64_t StartMinute(const ProgramRow& row) {
    return int64_t{ParseFieldNumber(row.hour)} * 60 + ParseFieldNumber(row.minute);
}

// The broadcast-day minute: 00:00 to 04:59 count as 24:00 to 28:59.
int32_t BroadcastMinute(int hour, int minute) {
    const int32_t clock = hour * 60 + minute;
    return hour < kDayStartHour ? clock + kMinutesPerDay : clock;
}

}  // namespace

ProgramRows ParseProgramTable(QByteArrayView text) {
    ProgramRows rows;
    qsizetype from = 0;
    // every search starts after the previous tag, so the scan only moves forward and ends
    while (true) {
        const qsizetype timeAt = text.indexOf(kTimeOpen, from);
        if (timeAt < 0) {
            break;
        }
        const qsizetype hourBegin = timeAt + kTimeOpen.size();
        const qsizetype colonAt = text.indexOf(':', hourBegin);
        const qsizetype timeEnd = colonAt < 0 ? -1 : text.indexOf(kTimeClose, colonAt + 1);
        const qsizetype codeAt = timeEnd < 0 ? -1 : text.indexOf(kCodeOpen, timeEnd);
        const qsizetype codeBegin = codeAt + kCodeOpen.size();
        const qsizetype codeEnd = codeAt < 0 ? -1 : text.indexOf(kCodeClose, codeBegin);
        if (codeEnd < 0) {
            break;
        }
        rows.push_back({Between(text, hourBegin, colonAt), Between(text, colonAt + 1, timeEnd),
                        Between(text, codeBegin, codeEnd)});
        from = codeEnd;
    }
    return rows;
}

std::optional<int64_t> SecondsToNextProgram(const ProgramRows& rows, int hour, int minute,
                                            int second) {
    if (rows.empty()) {
        return std::nullopt;
    }
    const int64_t now = BroadcastMinute(hour, minute);
    int64_t next = int64_t{kDayStartHour + 24} * 60;
    for (const ProgramRow& row : rows) {
        if (StartMinute(row) > now) {
            next = StartMinute(row);
            break;
        }
    }
    return std::max<int64_t>(0, (next - now) * 60 - second);
}

QByteArray SelectCurrentProgram(const ProgramRows& rows, int hour, int minute,
                                int32_t& highWaterMark) {
    if (hour == kDayStartHour && minute == 0) {
        highWaterMark = 0;
        return ProgramAnswer::kOrder;
    }
    int32_t now = BroadcastMinute(hour, minute);
    if (now < highWaterMark) {
        now = highWaterMark;
    } else {
        highWaterMark = now;
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        if (StartMinute(rows[i]) > now) {
            return i == 0 ? QByteArray(ProgramAnswer::kBeforeFirst) : rows[i - 1].code;
        }
    }
    return rows.empty() ? QByteArray() : rows.back().code;
}
