#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <optional>
#include <vector>

// The broadcast day's running order as the service sends it: one record per program,
//   <BRODTIME>07:00</BRODTIME><PROGCD>0000102</PROGCD>
// in broadcast order, hours after midnight written as 24 to 28. The texts are kept as they
// stand; they become numbers only when the current program is chosen.
struct ProgramRow {
    QByteArray hour;
    QByteArray minute;
    QByteArray code;
};
using ProgramRows = std::vector<ProgramRow>;

// Answers of the clock reading that are no program code.
namespace ProgramAnswer {
// the server's time could not be read
inline constexpr char kTimeFail[] = "timefail";
// 05:00: a new broadcast day begins and the table is fetched again
inline constexpr char kOrder[] = "order";
// the day's first program has not started yet
inline constexpr char kBeforeFirst[] = "0000517";
}  // namespace ProgramAnswer

// Every complete record of `text`, in order; text outside the tags is ignored. A record whose
// tags are missing or out of order ends the table there.
ProgramRows ParseProgramTable(QByteArrayView text);

// The code of the program on air at the server's `hour`:`minute`, one of the answers above, or
// empty for an empty table. `highWaterMark` is the latest broadcast-day minute used so far: the
// choice never goes back to an earlier program within a day, even when the clock does.
QByteArray SelectCurrentProgram(const ProgramRows& rows, int hour, int minute,
                                int32_t& highWaterMark);

// Seconds from the server's `hour`:`minute`:`second` to the start of the next program of the
// table; the day's last program runs until the broadcast day ends at 05:00. None for an empty
// table.
std::optional<int64_t> SecondsToNextProgram(const ProgramRows& rows, int hour, int minute,
                                            int second);
