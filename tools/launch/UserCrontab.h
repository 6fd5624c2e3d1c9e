#pragma once

#include <QString>
#include <QTime>
#include <optional>
#include <vector>

#include "ExternalTool.h"

// Scheduled starts kept in the user's crontab, read with "crontab -l" and written back whole
// with "crontab -", for computers where no systemd user manager runs. Only the block of ours
// changes; the crontab is not written at all when that changes nothing.
class UserCrontab {
public:
    explicit UserCrontab(ExternalTool crontab);

    bool Available() const { return crontab_.Exists(); }

    // Replaces our block with one start a day at each of these local times; no times remove it.
    bool Install(const QString& installFolder, const std::vector<QTime>& startTimesLocal);
    // Removes our block; true when none is left (also when there is no crontab at all).
    bool Remove();

private:
    // The whole crontab, empty when the user has none; nothing when it cannot be read.
    std::optional<QString> Read() const;
    bool Replace(const QString& current, const QString& wanted) const;

    ExternalTool crontab_;
};
