#include "UserCrontab.h"

#include <QProcessEnvironment>

#include "CronBlock.h"
#include "LaunchLog.h"

UserCrontab::UserCrontab(ExternalTool crontab) : crontab_(std::move(crontab)) {}

std::optional<QString> UserCrontab::Read() const {
    const ToolResult listing = crontab_.Run({QStringLiteral("-l")});
    if (listing.Succeeded()) {
        return QString::fromLocal8Bit(listing.output);
    }
    // the one failure that means an empty crontab; any other one must not lead to a write that
    // would lose the user's lines
    if (listing.ran && listing.errors.contains("no crontab for")) {
        return QString();
    }
    Say(QStringLiteral("cannot read the crontab: %1")
            .arg(QString::fromLocal8Bit(listing.errors.trimmed())));
    return std::nullopt;
}

bool UserCrontab::Replace(const QString& current, const QString& wanted) const {
    if (wanted == current) {
        Say(QStringLiteral("the crontab already holds these scheduled starts"));
        return true;
    }
    const ToolResult written = crontab_.Run({QStringLiteral("-")}, wanted.toLocal8Bit());
    if (!written.Succeeded()) {
        Say(QStringLiteral("cannot write the crontab: %1")
                .arg(QString::fromLocal8Bit(written.errors.trimmed())));
        return false;
    }
    Say(QStringLiteral("updated the scheduled starts in the crontab"));
    return true;
}

bool UserCrontab::Install(const QString& installFolder, const std::vector<QTime>& startTimesLocal) {
    if (startTimesLocal.empty()) {
        Say(QStringLiteral("no enabled schedule entry: removing the crontab lines"));
        return Remove();
    }
    const std::optional<QString> current = Read();
    if (!current) {
        return false;
    }
    const QProcessEnvironment session = QProcessEnvironment::systemEnvironment();
    QStringList entries;
    for (const QTime& start : startTimesLocal) {
        entries << CronBlock::Entry(start, installFolder, session);
    }
    return Replace(*current, CronBlock::With(*current, entries));
}

bool UserCrontab::Remove() {
    if (!Available()) {
        return true;
    }
    const std::optional<QString> current = Read();
    if (!current) {
        return false;
    }
    if (!CronBlock::IsIn(*current)) {
        return true;
    }
    return Replace(*current, CronBlock::Without(*current));
}
