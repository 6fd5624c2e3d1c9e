#pragma once

#include "Site.h"

#include <QByteArray>
#include <QJsonObject>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>

// The faults a test can switch on while the station runs. Each is read by the sites at the
// moment they answer, so a switch takes effect with the next request.
class FaultSwitches {
public:
    void SetDelay(Site site, int milliseconds);
    void SetNoDate(bool on);
    void SetGarble(bool on);
    void SetBoardAnswer(std::optional<QByteArray> body);
    void SetRejectLogins(bool on);
    void SetRefused(Site site, bool on);
    void Clear();

    bool NoDate() const;
    bool Garble() const;
    std::optional<QByteArray> BoardAnswer() const;
    bool RejectLogins() const;
    bool Refused(Site site) const;

    // Holds the caller for the site's delay; returns early when the station shuts down.
    void WaitOutDelay(Site site) const;
    void Shutdown();

    QJsonObject ToJson() const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable shutdownSignal_;
    bool shuttingDown_ = false;
    std::map<Site, int> delayMs_;
    std::map<Site, bool> refused_;
    bool noDate_ = false;
    bool garble_ = false;
    std::optional<QByteArray> boardAnswer_;
    bool rejectLogins_ = false;
};
