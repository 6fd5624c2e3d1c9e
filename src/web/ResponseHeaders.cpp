#include "web/ResponseHeaders.h"

#include "platform/KeyNumbers.h"

#include <array>

namespace {

// the value's first character, the "%" of its first escape, is passed over with the key
constexpr qsizetype kHexNameStart = 13;
constexpr int kServiceHoursAheadOfGmt = 9;

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// The characters at [position, position + length), cut short where the text ends.
QByteArrayView Field(QByteArrayView text, qsizetype position, qsizetype length) {
    if (position >= text.size()) {
        return {};
    }
    return text.sliced(position, std::min(length, text.size() - position));
}

// The index of the three-letter name in names, compared without case; -1 when none matches.
template <size_t N>
int NameIndex(QByteArrayView name, const std::array<const char*, N>& names) {
    for (size_t i = 0; i < N; ++i) {
        if (name.compare(QByteArrayView(names[i]), Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int DaysInMonth(int month, int yearSince1900) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 1) {
        return (yearSince1900 + 1900) % 4 == 0 ? 29 : 28;
    }
    return month >= 0 && month < 12 ? kDays[static_cast<size_t>(month)] : 31;
}

void AdvanceOneDay(std::tm& time) {
    time.tm_wday = (time.tm_wday + 1) % 7;
    ++time.tm_mday;
    if (time.tm_mday <= DaysInMonth(time.tm_mon, time.tm_year)) {
        return;
    }
    time.tm_mday = 1;
    ++time.tm_mon;
    if (time.tm_mon > 11) {
        time.tm_mon = 0;
        ++time.tm_year;
    }
}

}  // namespace

QByteArray DecodeHexName(QByteArrayView cookieText) {
    QByteArray name;
    bool highHalfNext = true;
    for (qsizetype i = kHexNameStart; i < cookieText.size(); ++i) {
        const int digit = HexDigitValue(cookieText[i]);
        if (digit < 0) {
            continue;
        }
        if (highHalfNext) {
            name.append(static_cast<char>(digit << 4));
        } else {
            name.back() = static_cast<char>(name.back() | digit);
        }
        highHalfNext = !highHalfNext;
    }
    return name;
}

std::tm ParseDateHeader(QByteArrayView dateText, std::tm previous) {
    static constexpr std::array<const char*, 7> kWeekdays = {"Sun", "Mon", "Tue", "Wed",
                                                             "Thu", "Fri", "Sat"};
    static constexpr std::array<const char*, 12> kMonths = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm time = previous;
    if (const int weekday = NameIndex(Field(dateText, 6, 3), kWeekdays); weekday >= 0) {
        time.tm_wday = weekday;
    }
    time.tm_mday = ParseFieldNumber(Field(dateText, 11, 2));
    if (const int month = NameIndex(Field(dateText, 14, 3), kMonths); month >= 0) {
        time.tm_mon = month;
    }
    time.tm_year = ParseFieldNumber(Field(dateText, 18, 4)) - 1900;
    time.tm_hour = ParseFieldNumber(Field(dateText, 23, 2)) + kServiceHoursAheadOfGmt;
    time.tm_min = ParseFieldNumber(Field(dateText, 26, 2));
    time.tm_sec = ParseFieldNumber(Field(dateText, 29, 2));
    if (time.tm_hour > 23) {
        time.tm_hour -= 24;
        AdvanceOneDay(time);
    }
    return time;
}
