#include "CronBlock.h"

const QString CronBlock::kBegin = QStringLiteral("# BEGIN quilo scheduled starts (quilo-launch)");
const QString CronBlock::kEnd = QStringLiteral("# END quilo scheduled starts");

namespace {

// cron runs a command with next to no environment (HOME, LOGNAME, SHELL, PATH), so the desktop
// quilo needs is taken from the session quilo-launch runs in: quilo starts it from the
// listener's desktop. The values hold while the listener logs in to the same display.
const char* const kSessionVariables[] = {"DISPLAY", "XAUTHORITY", "XDG_RUNTIME_DIR",
                                         "DBUS_SESSION_BUS_ADDRESS"};

QString ShellQuoted(QString word) {
    return QLatin1Char('\'') + word.replace(QLatin1Char('\''), QLatin1String("'\\''")) +
           QLatin1Char('\'');
}

struct LineRange {
    qsizetype first = -1;
    qsizetype last = -1;
};

// The first block of ours at or after line `from`, its two marker lines included; first is -1
// when there is none. A begin line without an end line after it is no block.
LineRange FindBlock(const QStringList& lines, qsizetype from) {
    const qsizetype begin = lines.indexOf(CronBlock::kBegin, from);
    const qsizetype end = begin < 0 ? -1 : lines.indexOf(CronBlock::kEnd, begin + 1);
    return end < 0 ? LineRange{} : LineRange{begin, end};
}

}  // namespace

bool CronBlock::IsIn(const QString& crontab) {
    return FindBlock(crontab.split(QLatin1Char('\n')), 0).first >= 0;
}

QString CronBlock::Without(const QString& crontab) {
    QStringList lines = crontab.split(QLatin1Char('\n'));
    for (LineRange block = FindBlock(lines, 0); block.first >= 0;
         block = FindBlock(lines, block.first)) {
        lines.remove(block.first, block.last - block.first + 1);
    }
    return lines.join(QLatin1Char('\n'));
}

QString CronBlock::With(const QString& crontab, const QStringList& entries) {
    QString text = Without(crontab);
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n'))) {
        text += QLatin1Char('\n');
    }
    return text + (QStringList{kBegin} + entries + QStringList{kEnd}).join(QLatin1Char('\n')) +
           QLatin1Char('\n');
}

QString CronBlock::Entry(QTime localStart, const QString& installFolder,
                         const QProcessEnvironment& session) {
    QString assignments;
    for (const char* name : kSessionVariables) {
        const QString variable = QString::fromLatin1(name);
        if (session.contains(variable)) {
            assignments += variable + QLatin1Char('=') + ShellQuoted(session.value(variable)) +
                           QLatin1Char(' ');
        }
    }
    QString command = QStringLiteral("cd %1 && %2exec %3 /a")
                          .arg(ShellQuoted(installFolder), assignments,
                               ShellQuoted(installFolder + QStringLiteral("/quilo")));
    // an unescaped "%" ends cron's command and turns the rest into its input
    command.replace(QLatin1Char('%'), QLatin1String("\\%"));
    return QStringLiteral("%1 %2 * * * %3")
        .arg(localStart.minute())
        .arg(localStart.hour())
        .arg(command);
}
