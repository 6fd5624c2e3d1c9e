#include "content/ServerClock.h"

#include "content/ServerText.h"
#include "platform/Cp949.h"
#include "platform/KeyNumbers.h"

namespace {

constexpr QByteArrayView kNextKey = "\r\n[";
constexpr uint8_t kEmptyEntry = 0xFF;
constexpr uint8_t kEnabledBit = 0x80;

int64_t ValueNumber(QByteArrayView text, QByteArrayView key) {
    return ParseFieldNumber64(GetSectionValue(text, key, kNextKey));
}

// The server's minute as the twelve digits YYYYMMDDhhmm the ticker window is written in.
int64_t MinuteStamp(const std::tm& time) {
    const QByteArray stamp =
        QString::asprintf("%.4d%.2d%.2d%.2d%.2d", time.tm_year + 1900, time.tm_mon + 1,
                          time.tm_mday, time.tm_hour, time.tm_min)
            .toLatin1();
    return ParseFieldNumber64(stamp);
}

}  // namespace

TickerLine TickerAt(QByteArrayView tickerFile, const std::tm& serverTime) {
    if (tickerFile.isEmpty()) {
        return {};
    }
    const int64_t now = MinuteStamp(serverTime);
    if (ValueNumber(tickerFile, "[SCR_ST]") > now || now > ValueNumber(tickerFile, "[SCR_ET]")) {
        return {};
    }
    return {FromCp949(GetSectionValue(tickerFile, "[SCR_TXT]", kNextKey)),
            FromCp949(GetSectionValue(tickerFile, "[SCR_URL]", kNextKey))};
}

bool IsScheduleDue(const ScheduleBytes& schedule, int hour, int minute) {
    for (size_t i = 0; i + 1 < schedule.size(); i += 2) {
        const uint8_t hourByte = schedule[i];
        const uint8_t minuteByte = schedule[i + 1];
        if (hourByte == kEmptyEntry || minuteByte == kEmptyEntry || !(hourByte & kEnabledBit)) {
            continue;
        }
        if (hourByte - kEnabledBit == hour && minuteByte == minute) {
            return true;
        }
    }
    return false;
}
