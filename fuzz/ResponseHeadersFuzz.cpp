// The two values read from the service's response headers: the listener's name in the log-in
// cookie and the server's clock in "Date:".
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdio>
#include <ctime>
#include <string>

#include "FuzzCheck.h"
#include "web/ResponseHeaders.h"

namespace {

constexpr std::array<const char*, 7> kWeekdays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool InRange(const std::tm& time) {
    return time.tm_sec >= 0 && time.tm_sec <= 60 && time.tm_min >= 0 && time.tm_min <= 59 &&
           time.tm_hour >= 0 && time.tm_hour <= 23 && time.tm_mday >= 1 && time.tm_mday <= 31 &&
           time.tm_mon >= 0 && time.tm_mon <= 11 && time.tm_wday >= 0 && time.tm_wday <= 6;
}

// A well-formed header for a moment between 1901 and 2099, where every fourth year is a leap
// year, is read as the calendar says: the same moment nine hours later.
void CheckWellFormedDate(FuzzedDataProvider& input) {
    const time_t earliest = -2145916800;          // 1 January 1902 00:00:00 GMT
    const time_t latest = 4102444799 - 9 * 3600;  // nine hours before the end of 2099
    const time_t moment = input.ConsumeIntegralInRange<time_t>(earliest, latest);
    std::tm gmt{};
    gmtime_r(&moment, &gmt);
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "Date: %s, %02d %s %04d %02d:%02d:%02d GMT",
                  kWeekdays[static_cast<size_t>(gmt.tm_wday)], gmt.tm_mday,
                  kMonths[static_cast<size_t>(gmt.tm_mon)], gmt.tm_year + 1900, gmt.tm_hour,
                  gmt.tm_min, gmt.tm_sec);
    const time_t local = moment + 9 * 3600;
    std::tm expected{};
    gmtime_r(&local, &expected);

    std::tm previous{};
    previous.tm_mday = 1;
    const std::tm parsed = ParseDateHeader(QByteArrayView(text.data(), 35), previous);
    FUZZ_CHECK(InRange(parsed));
    FUZZ_CHECK(parsed.tm_year == expected.tm_year && parsed.tm_mon == expected.tm_mon &&
               parsed.tm_mday == expected.tm_mday && parsed.tm_wday == expected.tm_wday &&
               parsed.tm_hour == expected.tm_hour && parsed.tm_min == expected.tm_min &&
               parsed.tm_sec == expected.tm_sec);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    CheckWellFormedDate(input);

    // any text: the names it does not hold leave the weekday and month as they were
    std::tm previous{};
    previous.tm_wday = input.ConsumeIntegralInRange(0, 6);
    previous.tm_mon = input.ConsumeIntegralInRange(0, 11);
    const std::string header = input.ConsumeRandomLengthString(48);
    const std::tm parsed = ParseDateHeader(
        QByteArrayView(header.data(), static_cast<qsizetype>(header.size())), previous);
    FUZZ_CHECK(parsed.tm_wday >= 0 && parsed.tm_wday <= 6);
    FUZZ_CHECK(parsed.tm_mon >= 0 && parsed.tm_mon <= 11);

    const std::string cookie = input.ConsumeRemainingBytesAsString();
    const QByteArray name =
        DecodeHexName(QByteArrayView(cookie.data(), static_cast<qsizetype>(cookie.size())));
    // two hexadecimal digits make each byte of the name
    FUZZ_CHECK(name.size() <= static_cast<qsizetype>(cookie.size() / 2));
    return 0;
}
