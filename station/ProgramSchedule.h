#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// One broadcast day's running order. The day runs from 05:00 to 28:59: programs after
// midnight carry hours 24 and above, exactly as the program table writes them.
class ProgramSchedule {
public:
    struct Program {
        int hour = 0;  // 5 .. 28
        int minute = 0;
        QString code;
        QString title;
    };

    // Lines "HH:MM CODE"; blank lines and lines starting with '#' are skipped. Start times must
    // grow down the file. Returns false and names the line when the text is not like that.
    bool Parse(const QString& text, QString* error);
    void SetTitle(int index, const QString& title);

    const QList<Program>& Programs() const { return programs_; }
    bool Contains(const QString& code) const;
    // The program on air at that wall-clock time of the service, or -1 before the first one.
    int OnAir(const QDateTime& serviceTime) const;

    // The broadcast day a wall-clock time belongs to: before 05:00 it is still yesterday's.
    static QDate BroadcastDay(const QDateTime& serviceTime);
    // Minutes since 00:00 of the broadcast day (05:00 is 300, 01:30 the next night is 1530).
    static int BroadcastMinute(const QDateTime& serviceTime);

private:
    QList<Program> programs_;
};
