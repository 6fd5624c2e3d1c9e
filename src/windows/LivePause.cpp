#include "windows/LivePause.h"

#include <algorithm>
#include <utility>

#include "content/PlayerModel.h"
#include "platform/ActivityLog.h"
#include "platform/LogMessages.h"
#include "player/CViewerDlg.h"
#include "player/HoldTape.h"
#include "player/LiveHold.h"

namespace {
constexpr int kTickMs = 1000;
// a player this close to the hold's limit would read sound already forgotten: it starts again
// from the oldest kept
constexpr qint64 kLimitMarginMs = 10000;
}  // namespace

LivePause::LivePause(ActivityLog& log, PlayerModel& model, CViewerDlg& viewer,
                     QStringList engineOptions, QObject* parent)
    : QObject(parent),
      log_(log),
      model_(model),
      viewer_(viewer),
      engineOptions_(std::move(engineOptions)) {
    pausedTick_.setInterval(kTickMs);
    connect(&pausedTick_, &QTimer::timeout, this, &LivePause::ShowBehindLive);
}

bool LivePause::IsBehindLive() const {
    return paused_ || readingTape_;
}

bool LivePause::Pause(const QString& address) {
    if (paused_) {
        return true;
    }
    if (readingTape_) {
        viewer_.Engine()->SetPaused(true);
    } else {
        if (hold_ == nullptr) {
            hold_ = new LiveHold(engineOptions_, this);
        }
        QString error;
        if (!hold_->Start(address, error)) {
            log_.WriteLog(QString::fromLatin1(LogText::kPauseFailedFormat).arg(error).toUtf8());
            return false;
        }
        address_ = address;
        viewer_.Stop();
    }
    log_.WriteLog(LogText::kPaused);
    paused_ = true;
    pausedFor_.start();
    pausedTick_.start();
    model_.SetPaused(true);
    return true;
}

bool LivePause::PlayOn() {
    if (!paused_) {
        return false;
    }
    paused_ = false;
    pausedTick_.stop();
    behindBeforeMs_ = std::min(behindBeforeMs_ + pausedFor_.elapsed(), LiveHold::kKeptMs);
    if (readingTape_ && behindBeforeMs_ < LiveHold::kKeptMs - kLimitMarginMs) {
        viewer_.Engine()->SetPaused(false);
    } else {
        viewer_.PlayHeld(address_, hold_->Tape());
        readingTape_ = true;
        // a tape is not read before it holds a lead
        behindBeforeMs_ = std::max(behindBeforeMs_, HoldTape::kLeadMs);
    }
    log_.WriteLog(
        QString::fromLatin1(LogText::kPlayingOnFormat).arg(behindBeforeMs_ / 1000).toUtf8());
    model_.SetPaused(false);
    ShowBehindLive();
    return true;
}

void LivePause::Forget() {
    if (!IsBehindLive()) {
        return;
    }
    pausedTick_.stop();
    paused_ = false;
    readingTape_ = false;
    behindBeforeMs_ = 0;
    hold_->Stop();
    model_.SetPaused(false);
    model_.SetBehindLive(0);
}

void LivePause::ShowBehindLive() {
    const qint64 pausedMs = paused_ ? pausedFor_.elapsed() : 0;
    model_.SetBehindLive(std::min(behindBeforeMs_ + pausedMs, LiveHold::kKeptMs));
}
