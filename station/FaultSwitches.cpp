#include "FaultSwitches.h"

#include <QJsonArray>

void FaultSwitches::SetDelay(Site site, int milliseconds) {
    std::lock_guard lock(mutex_);
    delayMs_[site] = milliseconds;
}

void FaultSwitches::SetNoDate(bool on) {
    std::lock_guard lock(mutex_);
    noDate_ = on;
}

void FaultSwitches::SetGarble(bool on) {
    std::lock_guard lock(mutex_);
    garble_ = on;
}

void FaultSwitches::SetBoardAnswer(std::optional<QByteArray> body) {
    std::lock_guard lock(mutex_);
    boardAnswer_ = std::move(body);
}

void FaultSwitches::SetRejectLogins(bool on) {
    std::lock_guard lock(mutex_);
    rejectLogins_ = on;
}

void FaultSwitches::SetRefused(Site site, bool on) {
    std::lock_guard lock(mutex_);
    refused_[site] = on;
}

void FaultSwitches::Clear() {
    std::lock_guard lock(mutex_);
    delayMs_.clear();
    refused_.clear();
    noDate_ = false;
    garble_ = false;
    boardAnswer_.reset();
    rejectLogins_ = false;
}

bool FaultSwitches::NoDate() const {
    std::lock_guard lock(mutex_);
    return noDate_;
}

bool FaultSwitches::Garble() const {
    std::lock_guard lock(mutex_);
    return garble_;
}

std::optional<QByteArray> FaultSwitches::BoardAnswer() const {
    std::lock_guard lock(mutex_);
    return boardAnswer_;
}

bool FaultSwitches::RejectLogins() const {
    std::lock_guard lock(mutex_);
    return rejectLogins_;
}

bool FaultSwitches::Refused(Site site) const {
    std::lock_guard lock(mutex_);
    const auto it = refused_.find(site);
    return it != refused_.end() && it->second;
}

void FaultSwitches::WaitOutDelay(Site site) const {
    std::unique_lock lock(mutex_);
    const auto it = delayMs_.find(site);
    if (it == delayMs_.end() || it->second <= 0) {
        return;
    }
    shutdownSignal_.wait_for(lock, std::chrono::milliseconds(it->second),
                             [this] { return shuttingDown_; });
}

void FaultSwitches::Shutdown() {
    {
        std::lock_guard lock(mutex_);
        shuttingDown_ = true;
    }
    shutdownSignal_.notify_all();
}

QJsonObject FaultSwitches::ToJson() const {
    std::lock_guard lock(mutex_);
    QJsonObject delays;
    QJsonArray refused;
    for (Site site : kAllSites) {
        const auto delay = delayMs_.find(site);
        delays[SiteName(site)] = delay == delayMs_.end() ? 0 : delay->second;
        const auto refusal = refused_.find(site);
        if (refusal != refused_.end() && refusal->second) {
            refused.append(SiteName(site));
        }
    }
    return QJsonObject{
        {"delay_ms", delays},
        {"refused", refused},
        {"no_date", noDate_},
        {"garble", garble_},
        {"board_answer", boardAnswer_ ? QJsonValue(QString::fromLatin1(*boardAnswer_))
                                      : QJsonValue(QJsonValue::Null)},
        {"reject_logins", rejectLogins_},
    };
}
