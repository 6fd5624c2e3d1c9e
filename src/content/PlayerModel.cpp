#include "content/PlayerModel.h"

#include <algorithm>

PlayerModel::PlayerModel(QObject* parent) : QObject(parent) {}

void PlayerModel::SetPlaying(bool playing) {
    if (playing != playing_) {
        playing_ = playing;
        emit playingChanged(playing);
    }
}

void PlayerModel::SetPaused(bool paused) {
    if (paused != paused_) {
        paused_ = paused;
        emit pausedChanged(paused);
    }
}

void PlayerModel::SetBehindLive(qint64 ms) {
    if (ms != behindLiveMs_) {
        behindLiveMs_ = ms;
        emit behindLiveChanged(ms);
    }
}

void PlayerModel::SetVolume(int volume) {
    volume = std::clamp(volume, 0, kMaxVolume);
    if (volume != volume_) {
        volume_ = volume;
        emit volumeChanged(volume);
    }
}

void PlayerModel::SetMuted(bool muted) {
    if (muted != muted_) {
        muted_ = muted;
        emit mutedChanged(muted);
    }
}

void PlayerModel::SetMode(ViewMode mode) {
    if (mode != mode_) {
        mode_ = mode;
        emit viewModeChanged(mode);
    }
}

void PlayerModel::ResetOnAir(const AppState& defaults) {
    onAir_ = defaults;
}

// Told even when the records read the same: each reading is news to the faces (the ticker and
// the characters start over) and to the notifier.
void PlayerModel::SetProgram(const AppState& program) {
    onAir_ = program;
    emit programChanged();
}

void PlayerModel::SetProgramCode(const QString& code) {
    onAir_.programCode = code;
}

void PlayerModel::ClearProgram(const QString& mainSite) {
    onAir_.link1 = mainSite;
    onAir_.link2 = mainSite;
    onAir_.eventLink = mainSite;
    emit programCleared();
}

void PlayerModel::SetEventLink(const QString& link) {
    onAir_.eventLink = link;
}

void PlayerModel::LinksFetched() {
    emit linksChanged();
}

void PlayerModel::ClearLinks() {
    emit linksCleared();
}
