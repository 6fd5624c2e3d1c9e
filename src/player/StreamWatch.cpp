#include "player/StreamWatch.h"

#include <utility>

StreamWatch::StreamWatch(std::function<qint64()> progress, int networkCacheMs, QObject* parent)
    : QObject(parent),
      progress_(std::move(progress)),
      stallLimitMs_(networkCacheMs + kJitterMs),
      startLimitMs_(networkCacheMs + kStartAllowanceMs) {
    timer_.setInterval(kCheckPeriodMs);
    connect(&timer_, &QTimer::timeout, this, &StreamWatch::Check);
}

void StreamWatch::Start() {
    lastProgress_ = -1;
    progressing_ = false;
    sinceProgress_.start();
    timer_.start();
}

void StreamWatch::Stop() {
    timer_.stop();
}

void StreamWatch::Check() {
    const qint64 now = progress_();
    if (now > 0 && now != lastProgress_) {
        lastProgress_ = now;
        progressing_ = true;
        sinceProgress_.start();
        return;
    }
    if (sinceProgress_.elapsed() > (progressing_ ? stallLimitMs_ : startLimitMs_)) {
        timer_.stop();
        emit stalled();
    }
}
