#pragma once

#include <QByteArrayView>
#include <QString>
#include <ctime>

#include "platform/CPrefStore.h"

// What one reading of the server's clock decides besides the program on air: the ticker text
// to scroll now and whether a scheduled playback time has come. Both follow the server's time
// (already the service's local time), never the computer's.

struct TickerLine {
    QString text;
    QString link;
};

// The ticker file's text and link when the server's minute lies inside the file's window
// "[SCR_ST]" to "[SCR_ET]" (YYYYMMDDhhmm, both ends included); empty text and link otherwise.
TickerLine TickerAt(QByteArrayView tickerFile, const std::tm& serverTime);

// True when an enabled entry of the schedule (hour byte with its top bit set, neither byte
// 0xFF) names `hour`:`minute`. Several entries of the same time still make one playback.
bool IsScheduleDue(const ScheduleBytes& schedule, int hour, int minute);
