#include "HttpDate.h"

QByteArray FormatHttpDate(const QDateTime& instant) {
    static constexpr const char* kDays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QDateTime utc = instant.toUTC();
    const QDate date = utc.date();
    const QTime time = utc.time();
    return QByteArray(kDays[date.dayOfWeek() - 1]) + ", " +
           QByteArray::number(date.day()).rightJustified(2, '0') + ' ' + kMonths[date.month() - 1] +
           ' ' + QByteArray::number(date.year()).rightJustified(4, '0') + ' ' +
           time.toString(QStringLiteral("HH:mm:ss")).toLatin1() + " GMT";
}
