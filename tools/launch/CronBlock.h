#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTime>

// The lines quilo-launch keeps in the user's crontab, between a begin and an end line of its
// own. Everything outside a complete pair of marker lines belongs to the user and is kept
// exactly as it stands, order and blank lines included.
class CronBlock {
public:
    static const QString kBegin;
    static const QString kEnd;

    static bool IsIn(const QString& crontab);
    // The crontab without any block of ours.
    static QString Without(const QString& crontab);
    // The crontab with exactly one block of ours, holding `entries`, at its end.
    static QString With(const QString& crontab, const QStringList& entries);

    // The line that starts `installFolder`'s quilo with "/a" every day at `localStart`, in the
    // desktop session described by `session`.
    static QString Entry(QTime localStart, const QString& installFolder,
                         const QProcessEnvironment& session);
};
