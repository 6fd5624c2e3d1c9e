#include "ProgramSchedule.h"

#include <QRegularExpression>

bool ProgramSchedule::Parse(const QString& text, QString* error) {
    static const QRegularExpression kLine(QStringLiteral("^(\\d\\d):(\\d\\d)\\s+(\\S+)$"));
    programs_.clear();
    const QStringList lines = text.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        const auto match = kLine.match(line);
        Program program{match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3),
                        QString()};
        const int start = program.hour * 60 + program.minute;
        const bool ordered =
            programs_.isEmpty() || start > programs_.last().hour * 60 + programs_.last().minute;
        if (!match.hasMatch() || program.hour < 5 || program.hour > 28 || program.minute > 59 ||
            !ordered) {
            *error = QStringLiteral("schedule line %1 is not \"HH:MM CODE\" in broadcast order: %2")
                         .arg(i + 1)
                         .arg(line);
            return false;
        }
        programs_.append(program);
    }
    return true;
}

void ProgramSchedule::SetTitle(int index, const QString& title) {
    programs_[index].title = title;
}

bool ProgramSchedule::Contains(const QString& code) const {
    for (const Program& program : programs_) {
        if (program.code == code) {
            return true;
        }
    }
    return false;
}

int ProgramSchedule::OnAir(const QDateTime& serviceTime) const {
    const int now = BroadcastMinute(serviceTime);
    int current = -1;
    for (int i = 0; i < programs_.size(); ++i) {
        if (programs_[i].hour * 60 + programs_[i].minute <= now) {
            current = i;
        }
    }
    return current;
}

QDate ProgramSchedule::BroadcastDay(const QDateTime& serviceTime) {
    const QDate date = serviceTime.date();
    return serviceTime.time().hour() < 5 ? date.addDays(-1) : date;
}

int ProgramSchedule::BroadcastMinute(const QDateTime& serviceTime) {
    const QTime time = serviceTime.time();
    const int minute = time.hour() * 60 + time.minute();
    return time.hour() < 5 ? minute + 24 * 60 : minute;
}
